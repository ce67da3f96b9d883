#include "platform/posix/lookup_memory.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/clock.h"
#include "platform/file_access.h"
#include "platform/posix/home_error.h"
#include "platform/posix/names.h"
#include "platform/posix/syscalls.h"

namespace platform::posix {

namespace {

constexpr std::size_t kListingsHeld = 8;
constexpr std::size_t kDirectoriesHeld = 32;

struct Listing {
    std::string directory;
    std::multimap<NameKey, std::string> names;
    std::uint32_t listedAt = 0;
    std::uint64_t used = 0;
};

struct Directory {
    std::string programPath;
    std::string native;
    std::uint64_t used = 0;
};

// What the file layer remembers, for the whole process: every look-up of a path
// from any caller may use it.
struct Memory {
    std::vector<Listing> listings;
    std::vector<Directory> directories;
    std::uint64_t use = 0;   // a count of uses, for the least recently used entry
    std::uint32_t span = 0;  // the NameMemory span that what is held belongs to
};
Memory gMemory;

// Whether names may be remembered now; what an earlier span left is dropped.
bool Remembering() {
    const std::uint32_t span = NameMemorySpan();
    if (span != gMemory.span) {
        gMemory.listings.clear();
        gMemory.directories.clear();
        gMemory.span = span;
    }
    return span != 0;
}

// The held entry whose key matches, marked as just used; nullptr when none is.
template <typename Entry, typename Key>
Entry* FindHeld(std::vector<Entry>& held, Key Entry::*field, const Key& key) {
    const auto it = std::find_if(held.begin(), held.end(), [&](const Entry& e) { return e.*field == key; });
    if (it == held.end()) return nullptr;
    it->used = ++gMemory.use;
    return &*it;
}

// A place for a new entry: a fresh one, or the least recently used one emptied.
template <typename Entry>
Entry& MakeRoom(std::vector<Entry>& held, std::size_t limit) {
    if (held.size() < limit) return held.emplace_back();
    Entry& oldest = *std::min_element(held.begin(), held.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    oldest = Entry{};
    return oldest;
}

Listing* HeldListing(const std::string& directory) {
    return Remembering() ? FindHeld(gMemory.listings, &Listing::directory, directory) : nullptr;
}

// Holds names as the listing of directory, read just now.
void HoldListing(const std::string& directory, std::multimap<NameKey, std::string> names) {
    if (!Remembering()) return;
    Listing* listing = HeldListing(directory);
    if (!listing) listing = &MakeRoom(gMemory.listings, kListingsHeld);
    *listing = Listing{directory, std::move(names), InstalledClock().TickMs(), ++gMemory.use};
}

// The name in names that a look-up picks: an exact match wins; among names that
// differ only in case, the lowest in byte order.
bool Pick(const std::multimap<NameKey, std::string>& names, const std::string& asGiven, const NameKey& wanted,
          std::string& diskName) {
    const auto [first, last] = names.equal_range(wanted);
    if (first == last) return false;
    const auto exact = std::find_if(first, last, [&](const auto& item) { return item.second == asGiven; });
    diskName = exact != last ? exact->second
                             : std::min_element(first, last, [](const auto& a, const auto& b) {
                                   return a.second < b.second;
                               })->second;
    return true;
}

bool IsUnder(const std::string& path, const std::string& directory) {
    return path.starts_with(directory) && (path.size() == directory.size() || path[directory.size()] == '/');
}

}  // namespace

const std::string* RememberedDirectory(std::string_view programPath) {
    if (!Remembering()) return nullptr;
    const Directory* held = FindHeld(gMemory.directories, &Directory::programPath, std::string(programPath));
    return held ? &held->native : nullptr;
}

void RememberDirectory(std::string_view programPath, const std::string& native) {
    if (!Remembering() || RememberedDirectory(programPath)) return;
    MakeRoom(gMemory.directories, kDirectoriesHeld) = Directory{std::string(programPath), native, ++gMemory.use};
}

Listed LookUpListed(const std::string& directory, const std::string& asGiven, const NameKey& wanted,
                    std::string& diskName) {
    const Listing* listing = HeldListing(directory);
    if (!listing) return Listed::Unknown;
    if (Pick(listing->names, asGiven, wanted, diskName)) return Listed::Found;
    // Unsigned difference: right across the tick's wrap.
    return InstalledClock().TickMs() - listing->listedAt < kFreshMs ? Listed::Absent : Listed::Unknown;
}

int SearchDirectory(const std::string& directory, const std::string& asGiven, const NameKey& wanted,
                    std::string& diskName) {
    std::multimap<NameKey, std::string> names;
    const int result = ForEachEntryName(directory, [&](std::string_view name) {
        names.emplace(KeyOfDiskName(name), name);
        return err::Ok;
    });
    if (result != err::Ok) return result;
    const bool found = Pick(names, asGiven, wanted, diskName);
    HoldListing(directory, std::move(names));
    return found ? err::Ok : err::FileNotFound;
}

void NoteEntryAdded(const std::string& native) {
    const SplitPath split = SplitNative(native);
    Listing* listing = HeldListing(std::string(split.directory));
    if (listing) listing->names.emplace(KeyOfDiskName(split.name), split.name);
}

void NoteEntryRemoved(const std::string& native) {
    const SplitPath split = SplitNative(native);
    Listing* listing = HeldListing(std::string(split.directory));
    if (!listing) return;
    const auto [first, last] = listing->names.equal_range(KeyOfDiskName(split.name));
    const auto it = std::find_if(first, last, [&](const auto& item) { return item.second == split.name; });
    if (it != last) listing->names.erase(it);
}

void NoteDirectoryMade(const std::string& native) {
    NoteEntryAdded(native);
    HoldListing(native, {});
}

void ForgetUnder(const std::string& native) {
    std::erase_if(gMemory.listings, [&](const Listing& l) { return IsUnder(l.directory, native); });
    std::erase_if(gMemory.directories, [&](const Directory& d) { return IsUnder(d.native, native); });
}

}  // namespace platform::posix
