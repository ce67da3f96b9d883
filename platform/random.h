#pragma once
// The process-wide pseudo-random generator of the product family: a linear
// congruential generator (multiplier 134775813, increment 1, modulus 2^32). Record
// scrambling seeds it with a fixed value so that its sequence is the same on every
// workstation; temporary names seed it from the tick count.
#include <cstdint>

namespace platform {

void SeedRandom(std::uint32_t seed);
// Advances the state and returns a value from 0 to n - 1: the upper 32 bits of the
// 64-bit product of the new state and n (0 for n = 0).
std::uint32_t RandomBelow(std::uint32_t n);

}  // namespace platform
