#pragma once
// The product-wide scrambling of personal records, as the bookkeeping program stores
// some persons: bytes 14 to 2021 of a 2048-byte record are combined with a fixed
// pseudo-random sequence; the key, state and kind at the head and the last 26 bytes
// stay plain. Applying it twice gives the record back.
#include <cstddef>
#include <cstdint>
#include <string>

namespace qzsample {

// The product's fixed scrambling seed. It must be the same value as the converter's
// own constant, or persons written scrambled here read back as noise there.
inline constexpr std::uint32_t kScrambleSeed = 0x5A;

inline constexpr std::size_t kScrambledFirst = 14;  // offset of the first scrambled byte
inline constexpr std::size_t kScrambledEnd = 2022;  // offset after the last one

// Scrambles or unscrambles a 2048-byte record in place.
void ScrambleRecord(std::string& record);

}  // namespace qzsample
