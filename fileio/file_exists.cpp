#include "fileio/file_exists.h"

#include "platform/files.h"

namespace fileio {

int FileSearchResult(std::string_view name) {
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    return search.First(name, platform::attr::ReadOnly | platform::attr::Hidden | platform::attr::System |
                                  platform::attr::Archive,
                        entry);
}

bool FileExists(std::string_view name) { return FileSearchResult(name) == platform::err::Ok; }

Existence ExistenceOf(int searchError) {
    switch (searchError) {
        case platform::err::Ok:
            return Existence::Found;
        case platform::err::FileNotFound:
        case platform::err::PathNotFound:
        case platform::err::NoMoreFiles:
            return Existence::Missing;
        default:
            return Existence::Unknown;
    }
}

}  // namespace fileio
