#pragma once
// File names between the program and a POSIX file system. The program names files in
// code page 852 and, like the data's home platform, ignores letter case; the file
// system holds UTF-8 names (or any bytes) and tells case apart. A data tree copied
// from the home platform may hold BAZA_AD8.REK where the program asks for
// baza_ad8.rek: every component of a path is looked up ignoring case, and an entry
// that exists is used under its own name, never doubled by one that differs in case.
#include <functional>
#include <string>
#include <string_view>

#include "platform/search_rules.h"

namespace platform::posix {

// The comparison key of a name on disk (search_rules.h). Characters the code page
// lacks and bytes that are not UTF-8 keep distinct values of their own, so such
// names compare equal only to themselves.
NameKey KeyOfDiskName(std::string_view diskName);

// The program's form of a name on disk: code page 852, "?" for each character the
// code page lacks, for each byte that is not UTF-8 and for each control character.
// Such a name can be shown but not opened (a "?" is no name character).
std::string ProgramNameOf(std::string_view diskName);

// Whether a path component can name a file: not empty, no control byte, and no
// wildcard unless wildcards are allowed (the last component of a search).
bool IsValidName(std::string_view cp852Name, bool wildcardsAllowed);

// A path of the program split at its last separator: the directory (with its
// trailing separators, empty for a bare name) and the last component.
struct SplitPath {
    std::string_view directory;
    std::string_view name;
};
SplitPath SplitLast(std::string_view path);
// A native path split into its directory, in the form the look-up gives directories
// ("/" for the root, empty for the current directory), and its last name.
SplitPath SplitNative(const std::string& native);

// A program path resolved against the file system.
struct ResolvedPath {
    std::string native;       // the path to hand to the operating system
    std::string givenNative;  // the same with the last component as the program gave it
    bool exists = false;      // an entry of the last component's name exists (in any case)
};

// Looks up every component of path ignoring case. Directories on the way must
// exist (PathNotFound otherwise); the last component need not: then native ends with
// the name as the program gave it, so that a new file gets that name. Returns 0,
// PathNotFound, AccessDenied or BadFormat (a malformed name). The directories on the
// way are looked up once per run (lookup_memory.h).
int ResolvePath(std::string_view path, ResolvedPath& resolved);

// Resolves a directory path as ResolvePath does and remembers it while names are
// remembered; native receives its native form. PathNotFound when it is missing.
int ResolveDirectory(std::string_view path, std::string& native);

// Offers the name of each entry of a directory (native form, empty for the current
// directory) to take, "." and ".." left out, until take answers other than 0. A
// directory that is not there is PathNotFound; otherwise the result is the first
// error of the reading or of take, or 0.
int ForEachEntryName(const std::string& directory, const std::function<int(std::string_view name)>& take);

// Finds a name in a directory (native form, empty for the current directory)
// ignoring case; diskName receives the entry's own name. An exact match wins;
// among several entries that differ only in case the lowest in byte order wins.
// A directory searched once is answered from its listing held in memory
// (lookup_memory.h) until the listing is too old to say that a name is absent.
// Returns 0 (found), FileNotFound, PathNotFound or AccessDenied.
int FindInDirectory(const std::string& directory, std::string_view cp852Name, std::string& diskName);

// directory + separator + name in native form ("" is the current directory).
std::string JoinNative(const std::string& directory, std::string_view name);

}  // namespace platform::posix
