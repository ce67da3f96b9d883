// A test for an ordinary file, built on the directory search of the platform.
#include "platform/files.h"

namespace platform {

bool IsOrdinaryFile(std::string_view path) {
    DirectorySearch search;
    FoundEntry entry;
    return search.First(path, attr::ReadOnly | attr::Hidden | attr::System | attr::Archive, entry) == err::Ok;
}

}  // namespace platform
