#include "convert/conversion_mark.h"

#include <string>

#include "convert/local_time_text.h"
#include "fileio/shared_file.h"

namespace convert {

namespace {

std::string MarkPath(std::string_view directory) {
    std::string path(directory);
    path += platform::kSeparator;
    path += kConversionMarkName;
    return path;
}

}  // namespace

int ConversionMark::Lock() { return platform::lockRange(file_, 0, fileio::kWholeFileLength); }

int ConversionMark::Make(std::string_view directory) {
    Release();
    path_ = MarkPath(directory);
    if (const int created = platform::createFile(path_, file_); created != platform::err::Ok) return created;
    // LockViolation: another run looked in between and holds the mark now.
    if (const int locked = Lock(); locked != platform::err::Ok) {
        Release();
        return locked;
    }
    return Stamp() ? platform::err::Ok : platform::err::GeneralFailure;
}

MarkFound ConversionMark::Look(std::string_view directory) {
    Release();
    path_ = MarkPath(directory);
    const int opened = platform::openFile(path_, platform::mode::ReadWrite | platform::mode::DenyNone, file_);
    if (opened == platform::err::FileNotFound) return MarkFound::None;
    if (opened != platform::err::Ok) return MarkFound::Unreadable;
    const int locked = Lock();
    if (locked == platform::err::Ok) return MarkFound::LeftBehind;
    platform::closeFile(file_);
    return locked == platform::err::LockViolation ? MarkFound::Busy : MarkFound::Unreadable;
}

bool ConversionMark::Stamp() {
    const std::string text = LocalDateTimeText() + "\r\n";
    std::size_t done = 0;
    return platform::truncateFile(file_, 0) == platform::err::Ok &&
           platform::seekFile(file_, 0) == platform::err::Ok &&
           platform::writeFile(file_, text.data(), text.size(), done) == platform::err::Ok;
}

void ConversionMark::Release() {
    // Closing drops the lock with the handle; a failed close loses nothing of value,
    // the mark holds no data.
    if (file_.isOpen()) static_cast<void>(platform::closeFile(file_));
}

bool ConversionMark::Remove() {
    Release();
    const int removed = platform::removeFile(path_);
    // Another run that looked at the mark in the meantime removes it itself.
    return removed == platform::err::Ok || removed == platform::err::FileNotFound ||
           removed == platform::err::SharingViolation;
}

}  // namespace convert
