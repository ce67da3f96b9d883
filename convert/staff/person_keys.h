#pragma once
// The person key table of the firm being converted: the keys of the persons that the
// staff transfer carried into 2024. Families, salaries and contracts follow only the
// persons found here. The table has 2048 entries and a count of the persons carried;
// a key is stored only while the count is below 2048, so at most 2047 keys are kept
// and later persons, though carried, cannot be found.
#include <cstdint>

namespace convert {

inline constexpr std::uint16_t kPersonKeyEntries = 2048;

// All entries zero, count 0; done for each firm before its person file.
void EmptyPersonKeys();
// Counts one carried person and stores its key while there is room. Returns the new
// count, which stops growing at its 16-bit limit instead of starting again from 0.
std::uint16_t AddPersonKey(std::int64_t key);
std::uint16_t PersonKeyCount();
// Searches the stored keys only, never an entry that was not filled.
bool FindPersonKey(std::int64_t key);

}  // namespace convert
