#include "platform/random.h"

namespace platform {

namespace {
constexpr std::uint32_t kMultiplier = 134775813;
constexpr std::uint32_t kIncrement = 1;

// One sequence for the process, as the home platform's generator: seeded once,
// drawn from anywhere.
std::uint32_t gState = 0;
}  // namespace

void SeedRandom(std::uint32_t seed) { gState = seed; }

std::uint32_t RandomBelow(std::uint32_t n) {
    gState = gState * kMultiplier + kIncrement;  // unsigned arithmetic wraps modulo 2^32
    return static_cast<std::uint32_t>((std::uint64_t{gState} * n) >> 32);
}

}  // namespace platform
