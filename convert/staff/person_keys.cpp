#include "convert/staff/person_keys.h"

#include <algorithm>
#include <array>
#include <limits>

namespace convert {

namespace {

struct PersonKeys {
    std::array<std::int64_t, kPersonKeyEntries> entries{};  // entry n at index n - 1
    std::uint16_t count = 0;
};

// The table of the firm being converted, emptied as its staff transfer starts; the
// record converters reach it through the copy's fixed converter signature.
PersonKeys gKeys;

std::uint16_t storedCount() { return std::min<std::uint16_t>(gKeys.count, kPersonKeyEntries - 1); }

}  // namespace

void EmptyPersonKeys() { gKeys = PersonKeys{}; }

std::uint16_t AddPersonKey(std::int64_t key) {
    if (gKeys.count < std::numeric_limits<std::uint16_t>::max()) ++gKeys.count;
    if (gKeys.count < kPersonKeyEntries) gKeys.entries[gKeys.count - 1] = key;
    return gKeys.count;
}

std::uint16_t PersonKeyCount() { return gKeys.count; }

bool FindPersonKey(std::int64_t key) {
    const auto stored = gKeys.entries.begin() + storedCount();
    return std::find(gKeys.entries.begin(), stored, key) != stored;
}

}  // namespace convert
