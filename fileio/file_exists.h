#pragma once
// Whether a file is there, by one directory search that counts only ordinary files
// (read-only, hidden, system and archive entries; never directories or volume
// labels). A file of size 0 exists here; the conversion's own rule that an empty
// file counts as absent lives with the conversion.
#include <cstdint>
#include <string_view>

namespace fileio {

// The error code of the search: 0 when an entry is found, else the search's error
// (FileNotFound, PathNotFound, BadFormat, AccessDenied, ...).
int FileSearchResult(std::string_view name);
bool FileExists(std::string_view name);

// What a search's error code tells of a file: there, not there (not found, path not
// found, no more files), or unknown (any other error: the file may well be there).
enum class Existence : std::uint8_t { Found, Missing, Unknown };
Existence ExistenceOf(int searchError);

// The search of FileExists that waits out access errors on a busy shared drive:
// after an access denied, sharing or lock violation it pauses 500 ms and searches
// again, and after every four such pauses asks the user whether to go on trying.
// A malformed name is reported in an error box. searchError receives the last
// search's error code; a file whose search failed, or that the user gave up on,
// is Unknown, never Missing.
Existence FileExistsRetry(std::string_view name, int& searchError);

}  // namespace fileio
