#include "convert/file_size.h"

#include "platform/files.h"

namespace convert {

std::uint64_t ProbeFileSize(std::string_view path) {
    constexpr std::uint8_t ordinaryFiles =
        platform::attr::ReadOnly | platform::attr::Hidden | platform::attr::System | platform::attr::Archive;
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    if (search.first(path, ordinaryFiles, entry) != platform::err::Ok) return 0;
    return entry.size;
}

bool FileIsPresent(std::string_view path) { return ProbeFileSize(path) > 0; }

}  // namespace convert
