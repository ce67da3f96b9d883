#include "convert/copying/file_size.h"

#include "convert/copying/copy_steps.h"
#include "platform/cp852.h"
#include "platform/files.h"

namespace convert {

using namespace platform::literals;

bool SearchFileSize(std::string_view path, std::uint64_t& size) {
    size = 0;
    constexpr std::uint8_t ordinaryFiles =
        platform::attr::ReadOnly | platform::attr::Hidden | platform::attr::System | platform::attr::Archive;
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    const int result = search.First(path, ordinaryFiles, entry);
    if (result == platform::err::Ok) {
        size = entry.size;
        return true;
    }
    // Not finding the file is an answer; a directory that cannot be read is a
    // failure, and the file it may hold (under another letter case) is passed over.
    if (result == platform::err::FileNotFound || result == platform::err::PathNotFound ||
        result == platform::err::BadFormat)
        return true;
    ReportError("Błąd odczytu katalogu "_cp, path);
    return false;
}

std::uint64_t ProbeFileSize(std::string_view path) {
    std::uint64_t size = 0;
    // A failed search has been reported; for a source it means nothing to copy.
    static_cast<void>(SearchFileSize(path, size));
    return size;
}

bool FileIsPresent(std::string_view path) { return ProbeFileSize(path) > 0; }

}  // namespace convert
