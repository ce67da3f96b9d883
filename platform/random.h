#pragma once
// The process-wide pseudo-random generator of the product family: a linear
// congruential generator (multiplier 134775813, increment 1, modulus 2^32). Record
// scrambling seeds it with a fixed value so that its sequence is the same on every
// workstation; temporary names seed it from the tick count.
#include <cstdint>

namespace platform {

// One step of the generator: the state after state, and the value from 0 to n - 1
// that a state gives (the upper 32 bits of the 64-bit product of the state and n).
constexpr std::uint32_t NextRandomState(std::uint32_t state) {
    return state * 134775813u + 1u;  // unsigned arithmetic wraps modulo 2^32
}
constexpr std::uint32_t RandomValueBelow(std::uint32_t state, std::uint32_t n) {
    return static_cast<std::uint32_t>((std::uint64_t{state} * n) >> 32);
}

void SeedRandom(std::uint32_t seed);
// Advances the state and returns a value from 0 to n - 1: the upper 32 bits of the
// 64-bit product of the new state and n (0 for n = 0).
std::uint32_t RandomBelow(std::uint32_t n);

}  // namespace platform
