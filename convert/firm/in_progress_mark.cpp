#include "convert/firm/in_progress_mark.h"

#include <string>

#include "convert/report/local_time_text.h"
#include "fileio/busy_file.h"
#include "fileio/shared_locks.h"

namespace convert {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string MarkPath(std::string_view directory) {
    std::string path(directory);
    path += platform::kSeparator;
    path += kInProgressMarkName;
    return path;
}

}  // namespace

int InProgressMark::Lock() { return platform::LockRange(file_, 0, fileio::kWholeFileLength); }

int InProgressMark::Make(std::string_view directory) {
    Release();
    path_ = MarkPath(directory);
    // Made exclusively: a mark that is there already (another run took the directory
    // in between) is never emptied, and the result is AlreadyExists.
    if (const int created = platform::CreateNewFile(path_, file_); created != platform::err::Ok) return created;
    // LockViolation: another run looked in between and holds the mark now.
    if (const int locked = Lock(); locked != platform::err::Ok) {
        Release();
        return locked;
    }
    return Stamp() ? platform::err::Ok : platform::err::GeneralFailure;
}

// Over a network drive the mark of a firm that another workstation registered a
// moment ago may still show after its removal: its open or its lock then says the
// file is gone, and the mark is looked for again.
MarkFound InProgressMark::Look(std::string_view directory) {
    Release();
    path_ = MarkPath(directory);
    bool opened = false;
    const int looked = fileio::RetryWhileGone([&] {
        const int error = platform::OpenSharedFile(path_, platform::mode::ReadWrite | platform::mode::DenyNone, file_);
        opened = error == platform::err::Ok;
        if (!opened) return error;
        const int locked = Lock();
        if (locked != platform::err::Ok) platform::CloseFile(file_);
        return locked;
    });
    if (looked == platform::err::Ok) return MarkFound::LeftBehind;
    if (!opened) return looked == platform::err::FileNotFound ? MarkFound::None : MarkFound::Unreadable;
    return looked == platform::err::LockViolation ? MarkFound::Busy : MarkFound::Unreadable;
}

bool InProgressMark::Stamp() {
    const std::string text = LocalDateTimeText() + std::string(kLineEnd);
    std::size_t done = 0;
    return platform::TruncateFile(file_, 0) == platform::err::Ok &&
           platform::SeekFile(file_, 0) == platform::err::Ok &&
           platform::WriteToFile(file_, text.data(), text.size(), done) == platform::err::Ok;
}

bool InProgressMark::Note(std::string_view name) {
    const std::string line = std::string(name) + std::string(kLineEnd);
    std::uint64_t size = 0;
    std::size_t done = 0;
    return platform::FileSize(file_, size) == platform::err::Ok &&
           platform::SeekFile(file_, size) == platform::err::Ok &&
           platform::WriteToFile(file_, line.data(), line.size(), done) == platform::err::Ok &&
           platform::FlushFile(file_) == platform::err::Ok;
}

bool InProgressMark::NotedNames(std::vector<std::string>& names) {
    names.clear();
    std::uint64_t size = 0;
    if (platform::FileSize(file_, size) != platform::err::Ok || platform::SeekFile(file_, 0) != platform::err::Ok)
        return false;
    std::string text(size, '\0');
    std::size_t done = 0;
    if (platform::ReadFromFile(file_, text.data(), text.size(), done) != platform::err::Ok) return false;
    text.resize(done);
    // The first line is the date and time. A last line without its end was cut short
    // while being noted: its file was not touched yet.
    std::size_t start = text.find(kLineEnd);
    while (start != std::string::npos) {
        start += kLineEnd.size();
        const std::size_t end = text.find(kLineEnd, start);
        if (end != std::string::npos) names.push_back(text.substr(start, end - start));
        start = end;
    }
    return true;
}

void InProgressMark::Release() {
    // Closing drops the lock with the handle; a failed close loses nothing of value:
    // the date is only for people, and each name was flushed when it was noted.
    if (file_.IsOpen()) static_cast<void>(platform::CloseFile(file_));
}

bool InProgressMark::Remove() {
    Release();
    const int removed = platform::RemoveFile(path_);
    // Another run that looked at the mark in the meantime removes it itself.
    return removed == platform::err::Ok || removed == platform::err::FileNotFound ||
           removed == platform::err::SharingViolation;
}

}  // namespace convert
