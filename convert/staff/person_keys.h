#pragma once
// The person key table of the firm being converted: the keys of the persons that the
// staff transfer carried into 2024. Families, salaries and contracts follow only the
// persons found here. The table has 2048 entries and a count of the persons carried;
// a key is stored only while the count is below 2048, so at most 2047 keys are kept
// and later persons, though carried, cannot be found.
#include <array>
#include <cstdint>

namespace convert {

inline constexpr std::uint16_t kPersonKeyEntries = 2048;

// A new table has all entries zero and count 0.
class PersonKeys {
public:
    // Counts one carried person and stores its key while there is room. Returns the
    // new count, which stops growing at its 16-bit limit instead of starting again
    // from 0.
    std::uint16_t Add(std::int64_t key);
    std::uint16_t Count() const { return count_; }
    // Searches the stored keys only, never an entry that was not filled.
    bool Find(std::int64_t key) const;

private:
    std::array<std::int64_t, kPersonKeyEntries> entries_{};  // entry n at index n - 1
    std::uint16_t count_ = 0;
};

}  // namespace convert
