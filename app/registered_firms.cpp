#include "app/registered_firms.h"

#include <algorithm>
#include <vector>

#include "convert/copy_steps.h"
#include "fileio/registry_record.h"
#include "fileio/shared_file.h"
#include "platform/clock.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/polish_text.h"

namespace app {

namespace {

using namespace platform::literals;

// The whole file, read under the whole-file lock: a workstation inserting a firm
// holds that lock, and only once this run holds it are the size and the records
// those of the file rather than what a network drive cached from before. The lock
// is tried as the file layer tries its locks.
int ReadWhole(platform::FileHandle& file, std::vector<char>& bytes) {
    int result = platform::lockRange(file, 0, fileio::kWholeFileLength);
    for (int attempt = 1; result == platform::err::LockViolation && attempt < fileio::MaxTries; ++attempt) {
        platform::clock().sleepMs(fileio::RetryDelay);
        result = platform::lockRange(file, 0, fileio::kWholeFileLength);
    }
    if (result != platform::err::Ok) return result;
    std::uint64_t size = 0;
    std::size_t done = 0;
    result = platform::fileSize(file, size);
    if (result == platform::err::Ok) {
        bytes.resize(size);
        result = platform::seekFile(file, 0);
    }
    if (result == platform::err::Ok) result = platform::readFile(file, bytes.data(), bytes.size(), done);
    if (result == platform::err::Ok) bytes.resize(done);
    const int unlocked = platform::unlockRange(file, 0, fileio::kWholeFileLength);
    return result != platform::err::Ok ? result : unlocked;
}

}  // namespace

bool RegisteredFirms::Read() {
    platform::FileHandle file;
    int result = platform::openFile(path_, platform::mode::ReadOnly | platform::mode::DenyNone, file);
    if (result == platform::err::FileNotFound) return true;
    std::vector<char> bytes;
    if (result == platform::err::Ok) result = ReadWhole(file, bytes);
    if (result != platform::err::Ok) {
        convert::ReportError("Błąd odczytu danych z "_cp, path_);
        return false;
    }
    for (std::size_t at = 0; at + fileio::kRegistryRecordSize <= bytes.size(); at += fileio::kRegistryRecordSize) {
        fileio::RegistryRecord record;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), record.bytes.size(), record.bytes.begin());
        directories_.insert(tui::UpperString(record.Directory()));
    }
    return true;
}

std::optional<bool> RegisteredFirms::Names(std::string_view directory) {
    if (!read_) {
        readable_ = Read();
        read_ = true;
    }
    if (!readable_) return std::nullopt;
    return directories_.contains(tui::UpperString(directory));
}

}  // namespace app
