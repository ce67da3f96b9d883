#pragma once
// The family's scrambling of personal records: a 2048-byte record whose middle is
// exclusive-or'ed with a fixed pseudo-random sequence. The head (offsets 0-13, which
// hold the scrambled/plain marker at offset 8) and the last 26 bytes stay readable.
#include <cstddef>
#include <cstdint>
#include <span>

namespace product {

inline constexpr std::size_t kScrambledRecordSize = 2048;
inline constexpr std::size_t kScrambledBegin = 14;  // first scrambled offset
inline constexpr std::size_t kScrambledEnd = 2022;  // one past the last

// The product's own scrambling seed. Every program of the family scrambles with this
// value; records scrambled with any other cannot be read back by the others.
inline constexpr std::uint32_t kScrambleSeed = 0x5A;
static_assert(kScrambleSeed < 256);

// Scrambles or unscrambles the record in place; the operation is its own inverse.
// Leaves the process-wide generator in a state that depends only on the seed.
void ScrambleRecord(std::span<std::uint8_t, kScrambledRecordSize> record);

}  // namespace product
