// Directory search with the home platform's wildcards and attribute mask. The
// directory is listed by FindFirstFileA/FindNextFileA and the names are fitted to
// the pattern here, so that every file system (and Wine) gives the same answer and
// a name is never found through its short 8.3 alias.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/files.h"
#include "platform/search_rules.h"
#include "platform/win32/api.h"
#include "platform/win32/home_error.h"
#include "platform/win32/names.h"

namespace platform {

using namespace win32;

struct DirectorySearch::State {
    std::vector<FoundEntry> entries;  // every fitting entry, found at the first call
    std::size_t next = 0;
};

namespace {

FoundEntry EntryOf(const WIN32_FIND_DATAA& data) {
    FoundEntry entry;
    entry.name = data.cFileName;
    // The low attribute bits are the home platform's own (read-only, hidden, system,
    // directory, archive).
    entry.attributes = static_cast<std::uint8_t>(data.dwFileAttributes & attr::AnyFile);
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        entry.size = std::uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
    return entry;
}

// Every entry that fits a name or pattern in the directory, or the error of the
// search. FileNotFound from the system for a name means nothing fits; for the
// listing of a directory that has no entry at all (the root of an empty drive), too.
int Collect(const std::string& native, std::string_view name, std::uint8_t mask, std::vector<FoundEntry>& found) {
    const bool listing = HasWildcards(name);
    const NameKey wanted = KeyOfProgramName(name);
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA(native.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return LastHomeError();
    int result = err::Ok;
    do {
        const std::string_view foundName = data.cFileName;
        if (foundName == "." || foundName == "..") continue;
        if (listing && !FitsPattern(wanted, KeyOfProgramName(foundName))) continue;
        FoundEntry entry = EntryOf(data);
        if (FitsAttributeMask(entry.attributes, mask)) found.push_back(std::move(entry));
    } while (FindNextFileA(search, &data));
    if (const DWORD code = GetLastError(); code != ERROR_NO_MORE_FILES) result = HomeError(code);
    FindClose(search);
    if (result != err::Ok) return result;
    std::sort(found.begin(), found.end(), [](const FoundEntry& a, const FoundEntry& b) {
        return KeyOfProgramName(a.name) < KeyOfProgramName(b.name);
    });
    return err::Ok;
}

}  // namespace

// Made and destroyed where State is complete.
DirectorySearch::DirectorySearch() = default;
DirectorySearch::~DirectorySearch() = default;

int DirectorySearch::First(std::string_view pattern, std::uint8_t attributeMask, FoundEntry& entry) {
    state_ = std::make_unique<State>();
    entry = FoundEntry{};
    const SplitPath split = SplitLast(pattern);
    if (split.name.empty()) return err::FileNotFound;
    std::string native;
    if (const int checked = NativePath(pattern, true, native); checked != err::Ok) return checked;
    // A pattern is fitted here to every name of the directory; a plain name is
    // looked up by the system, which ignores its case.
    if (HasWildcards(split.name)) native = std::string(split.directory) + "*";
    const int listed = Collect(native, split.name, attributeMask, state_->entries);
    // The names passed the home platform's check above: a name the system still
    // refuses is a file standing where the pattern has a directory.
    if (listed == err::BadFormat) return err::PathNotFound;
    if (listed != err::Ok) return listed;
    if (state_->entries.empty()) return err::FileNotFound;
    return Next(entry);
}

int DirectorySearch::Next(FoundEntry& entry) {
    if (!state_ || state_->next >= state_->entries.size()) return err::NoMoreFiles;
    entry = state_->entries[state_->next++];
    return err::Ok;
}

bool DirectoryExists(std::string_view path) {
    std::string native;
    if (NativePath(path, false, native) != err::Ok) return false;
    const DWORD attributes = GetFileAttributesA(native.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The attributes of a link are its own: a link to nothing is found as well.
int FindEntry(std::string_view path) {
    std::string native;
    if (const int checked = NativePath(path, false, native); checked != err::Ok) return checked;
    return GetFileAttributesA(native.c_str()) != INVALID_FILE_ATTRIBUTES ? err::Ok : LastHomeError();
}

}  // namespace platform
