#pragma once
// What the file layer remembers of the file system's names while a NameMemory
// lives (files.h), so that a case-insensitive look-up does not search a directory
// again for every file:
//   - the native form of each directory path resolved, so that the directories on
//     the way are looked up once per run, not once per file;
//   - the listing of each directory that had to be searched, kept true by this
//     program's own creates, renames and removals. Other workstations may create
//     files meanwhile, so a name not found in a listing older than kFreshMs is
//     looked for once more on the disk (and the listing read again).
// Both are small and bounded: the least recently used entry makes room, so memory
// stays flat however large the tree is. Without a NameMemory nothing is kept.
#include <string>
#include <string_view>

#include "platform/search_rules.h"

namespace platform::posix {

inline constexpr std::uint32_t kFreshMs = 1000;

// The native form of a directory path as the program gave it, when remembered.
const std::string* RememberedDirectory(std::string_view programPath);
void RememberDirectory(std::string_view programPath, const std::string& native);

enum class Listed {
    Found,     // diskName holds the entry's own name
    Absent,    // no entry of the name, in any case
    Unknown,   // no listing held, or one too old to say a name is absent
};
// Looks a name up in the listing of directory (native form, "" for the current
// directory) held in memory: an exact match wins, else the lowest in byte order.
Listed LookUpListed(const std::string& directory, const std::string& asGiven, const NameKey& wanted,
                    std::string& diskName);
// Searches directory for a name ignoring case, as LookUpListed answers, and keeps
// its listing. Returns 0 (found), FileNotFound, PathNotFound or an error.
int SearchDirectory(const std::string& directory, const std::string& asGiven, const NameKey& wanted,
                    std::string& diskName);

// This program's own changes, entered into the listings held (native paths).
void NoteEntryAdded(const std::string& native);
void NoteEntryRemoved(const std::string& native);
// A directory this program made: it is known to be empty.
void NoteDirectoryMade(const std::string& native);
// A directory renamed away: nothing remembered under it holds any more.
void ForgetUnder(const std::string& native);

}  // namespace platform::posix
