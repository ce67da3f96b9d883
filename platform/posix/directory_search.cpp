// Directory search as the home platform offers it: a name or a pattern in the last
// component, an attribute mask, and the error numbers 2 (nothing fits), 3 (no such
// directory) and 18 (no more entries).
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/files.h"
#include "platform/posix/home_error.h"
#include "platform/posix/names.h"
#include "platform/posix/syscalls.h"

namespace platform {

using namespace posix;

struct DirectorySearch::State {
    std::vector<FoundEntry> entries;  // every fitting entry, found at the first call
    std::size_t next = 0;
};

namespace {

// The attributes of an entry in the home platform's terms. FileNotFound for an
// entry that is neither an ordinary file nor a directory (a device, a pipe, a
// socket, a link to nothing or in a loop), which the search never offers; another
// error when the entry could not be examined: it may well be a file.
int AttributesOf(const std::string& native, std::string_view diskName, FoundEntry& entry) {
    struct stat info;
    if (TheSyscalls().stat(native.c_str(), &info) != 0)
        return errno == ENOENT || errno == ELOOP ? err::FileNotFound : HomeError(errno);
    if (S_ISDIR(info.st_mode)) {
        entry.attributes = attr::Directory;
    } else if (S_ISREG(info.st_mode)) {
        entry.attributes = attr::Archive;
        entry.size = static_cast<std::uint64_t>(info.st_size);
    } else {
        return err::FileNotFound;
    }
    if (!(info.st_mode & S_IWUSR)) entry.attributes |= attr::ReadOnly;
    if (diskName.size() > 1 && diskName.front() == '.' && diskName != "..") entry.attributes |= attr::Hidden;
    entry.name = ProgramNameOf(diskName);
    return err::Ok;
}

// Every entry of a directory whose name fits the pattern, in the order of their
// names ignoring case. "." and ".." are never offered.
int Collect(const std::string& directory, std::string_view pattern, std::uint8_t mask,
            std::vector<FoundEntry>& found) {
    const NameKey wanted = KeyOfProgramName(pattern);
    std::vector<std::pair<NameKey, FoundEntry>> fitting;
    const int result = ForEachEntryName(directory, [&](std::string_view name) {
        NameKey key = KeyOfDiskName(name);
        if (!FitsPattern(wanted, key)) return err::Ok;
        FoundEntry entry;
        const int examined = AttributesOf(JoinNative(directory, name), name, entry);
        if (examined == err::FileNotFound) return err::Ok;  // gone since the listing
        if (examined == err::Ok && FitsAttributeMask(entry.attributes, mask))
            fitting.emplace_back(std::move(key), std::move(entry));
        return examined;
    });
    if (result != err::Ok) return result;
    std::sort(fitting.begin(), fitting.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& item : fitting) found.push_back(std::move(item.second));
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
    if (!IsValidName(split.name, true)) return split.name.empty() ? err::FileNotFound : err::BadFormat;

    std::string directory;
    if (!split.directory.empty())
        if (const int found = ResolveDirectory(split.directory, directory); found != err::Ok) return found;
    if (HasWildcards(split.name)) {
        if (const int listed = Collect(directory, split.name, attributeMask, state_->entries); listed != err::Ok)
            return listed;
    } else {
        std::string diskName;
        if (const int found = FindInDirectory(directory, split.name, diskName); found != err::Ok) return found;
        FoundEntry only;
        const int examined = AttributesOf(JoinNative(directory, diskName), diskName, only);
        if (examined != err::Ok && examined != err::FileNotFound) return examined;
        if (examined == err::Ok && FitsAttributeMask(only.attributes, attributeMask))
            state_->entries.push_back(std::move(only));
    }
    if (state_->entries.empty()) return err::FileNotFound;
    return Next(entry);
}

int DirectorySearch::Next(FoundEntry& entry) {
    if (!state_ || state_->next >= state_->entries.size()) return err::NoMoreFiles;
    entry = state_->entries[state_->next++];
    return err::Ok;
}

bool DirectoryExists(std::string_view path) {
    ResolvedPath resolved;
    if (ResolvePath(path, resolved) != err::Ok || !resolved.exists) return false;
    struct stat info;
    return TheSyscalls().stat(resolved.native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The look-up of names sees every entry (it reads the directory and never follows
// the last component), unlike the search, which offers files and directories only.
int FindEntry(std::string_view path) {
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return found;
    return resolved.exists ? err::Ok : err::FileNotFound;
}

}  // namespace platform
