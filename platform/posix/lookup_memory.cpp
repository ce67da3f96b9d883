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
bool remembering() {
    const std::uint32_t span = nameMemorySpan();
    if (span != gMemory.span) {
        gMemory.listings.clear();
        gMemory.directories.clear();
        gMemory.span = span;
    }
    return span != 0;
}

// The held entry whose key matches, marked as just used; nullptr when none is.
template <typename Entry, typename Key>
Entry* findHeld(std::vector<Entry>& held, Key Entry::*field, const Key& key) {
    const auto it = std::find_if(held.begin(), held.end(), [&](const Entry& e) { return e.*field == key; });
    if (it == held.end()) return nullptr;
    it->used = ++gMemory.use;
    return &*it;
}

// A place for a new entry: a fresh one, or the least recently used one emptied.
template <typename Entry>
Entry& makeRoom(std::vector<Entry>& held, std::size_t limit) {
    if (held.size() < limit) return held.emplace_back();
    Entry& oldest = *std::min_element(held.begin(), held.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    oldest = Entry{};
    return oldest;
}

Listing* heldListing(const std::string& directory) {
    return remembering() ? findHeld(gMemory.listings, &Listing::directory, directory) : nullptr;
}

// Holds names as the listing of directory, read just now.
void holdListing(const std::string& directory, std::multimap<NameKey, std::string> names) {
    if (!remembering()) return;
    Listing* listing = heldListing(directory);
    if (!listing) listing = &makeRoom(gMemory.listings, kListingsHeld);
    *listing = Listing{directory, std::move(names), clock().tickMs(), ++gMemory.use};
}

// The name in names that a look-up picks: an exact match wins; among names that
// differ only in case, the lowest in byte order.
bool pick(const std::multimap<NameKey, std::string>& names, const std::string& asGiven, const NameKey& wanted,
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

bool isUnder(const std::string& path, const std::string& directory) {
    return path.starts_with(directory) && (path.size() == directory.size() || path[directory.size()] == '/');
}

}  // namespace

const std::string* rememberedDirectory(std::string_view programPath) {
    if (!remembering()) return nullptr;
    const Directory* held = findHeld(gMemory.directories, &Directory::programPath, std::string(programPath));
    return held ? &held->native : nullptr;
}

void rememberDirectory(std::string_view programPath, const std::string& native) {
    if (!remembering() || rememberedDirectory(programPath)) return;
    makeRoom(gMemory.directories, kDirectoriesHeld) = Directory{std::string(programPath), native, ++gMemory.use};
}

Listed lookUpListed(const std::string& directory, const std::string& asGiven, const NameKey& wanted,
                    std::string& diskName) {
    const Listing* listing = heldListing(directory);
    if (!listing) return Listed::Unknown;
    if (pick(listing->names, asGiven, wanted, diskName)) return Listed::Found;
    // Unsigned difference: right across the tick's wrap.
    return clock().tickMs() - listing->listedAt < kFreshMs ? Listed::Absent : Listed::Unknown;
}

int searchDirectory(const std::string& directory, const std::string& asGiven, const NameKey& wanted,
                    std::string& diskName) {
    std::multimap<NameKey, std::string> names;
    const int result = forEachEntryName(directory, [&](std::string_view name) {
        names.emplace(keyOfDiskName(name), name);
        return err::Ok;
    });
    if (result != err::Ok) return result;
    const bool found = pick(names, asGiven, wanted, diskName);
    holdListing(directory, std::move(names));
    return found ? err::Ok : err::FileNotFound;
}

void noteEntryAdded(const std::string& native) {
    const SplitPath split = splitNative(native);
    Listing* listing = heldListing(std::string(split.directory));
    if (listing) listing->names.emplace(keyOfDiskName(split.name), split.name);
}

void noteEntryRemoved(const std::string& native) {
    const SplitPath split = splitNative(native);
    Listing* listing = heldListing(std::string(split.directory));
    if (!listing) return;
    const auto [first, last] = listing->names.equal_range(keyOfDiskName(split.name));
    const auto it = std::find_if(first, last, [&](const auto& item) { return item.second == split.name; });
    if (it != last) listing->names.erase(it);
}

void noteDirectoryMade(const std::string& native) {
    noteEntryAdded(native);
    holdListing(native, {});
}

void forgetUnder(const std::string& native) {
    std::erase_if(gMemory.listings, [&](const Listing& l) { return isUnder(l.directory, native); });
    std::erase_if(gMemory.directories, [&](const Directory& d) { return isUnder(d.native, native); });
}

}  // namespace platform::posix
