#pragma once
// Paths of the program as the Win32 "A" file functions take them. The program names
// files in code page 852, the OEM code page of the systems it runs on; the file
// functions are switched to that code page before the first name reaches them, so a
// name passes through unchanged. The file system itself ignores letter case.
#include <string>
#include <string_view>

namespace platform::win32 {

// Sets the file functions of the process to the OEM code page (once). Every path
// that NativePath gives has passed here.
void UseOemFileNames();

bool IsSeparator(char c);

// Checks a path and gives its native form. Every name in it must be one the home
// platform allows: no control byte, none of < > : " |, no wildcard except in the
// last name of a search, at most 255 characters; the whole path below the system's
// limit. Returns 0, PathNotFound (an empty path) or BadFormat.
int NativePath(std::string_view path, bool wildcardsInLastName, std::string& native);

// A path split at its last separator (or after a drive's colon): the directory with
// its separator, empty for a bare name, and the last name.
struct SplitPath {
    std::string_view directory;
    std::string_view name;
};
SplitPath SplitLast(std::string_view path);

}  // namespace platform::win32
