#include "convert/staff/person_keys.h"

#include <algorithm>
#include <limits>

namespace convert {

std::uint16_t PersonKeys::Add(std::int64_t key) {
    if (count_ < std::numeric_limits<std::uint16_t>::max()) ++count_;
    if (count_ < kPersonKeyEntries) entries_[count_ - 1] = key;
    return count_;
}

bool PersonKeys::Find(std::int64_t key) const {
    const auto stored = entries_.begin() + std::min<std::uint16_t>(count_, kPersonKeyEntries - 1);
    return std::find(entries_.begin(), stored, key) != stored;
}

}  // namespace convert
