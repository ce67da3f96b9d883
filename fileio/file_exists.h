#pragma once
// Whether a file is there, by one directory search that counts only ordinary files
// (read-only, hidden, system and archive entries; never directories or volume
// labels). A file of size 0 exists here; the conversion's own rule that an empty
// file counts as absent lives with the conversion.
#include <string_view>

namespace fileio {

// The error code of the search: 0 when an entry is found, else the search's error
// (FileNotFound, PathNotFound, BadFormat, AccessDenied, ...).
int FileSearchResult(std::string_view name);
bool FileExists(std::string_view name);
// Whether a search's error means only that the file is not there (no such file, no
// such directory, no more entries). Every other error leaves it unknown.
bool IsNotFoundError(int error);

// FileExists that waits out access errors on a busy shared drive: after an access
// denied, sharing or lock violation it pauses 500 ms and searches again, and after
// every four such pauses asks the user whether to go on trying ("Nie": the file
// counts as missing). A malformed name is reported in an error box and counts as
// missing, as does any other error.
bool FileExistsRetry(std::string_view name);

}  // namespace fileio
