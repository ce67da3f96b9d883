#include "fileio/file_exists.h"

#include "platform/files.h"

namespace fileio {

int FileSearchResult(std::string_view name) {
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    return search.first(name, platform::attr::ReadOnly | platform::attr::Hidden | platform::attr::System |
                                  platform::attr::Archive,
                        entry);
}

bool FileExists(std::string_view name) { return FileSearchResult(name) == platform::err::Ok; }

bool IsNotFoundError(int error) {
    return error == platform::err::FileNotFound || error == platform::err::PathNotFound ||
           error == platform::err::NoMoreFiles;
}

}  // namespace fileio
