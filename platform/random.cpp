#include "platform/random.h"

namespace platform {

namespace {

// One sequence for the process, as the home platform's generator: seeded once,
// drawn from anywhere.
std::uint32_t gState = 0;
}  // namespace

void SeedRandom(std::uint32_t seed) { gState = seed; }

std::uint32_t RandomBelow(std::uint32_t n) {
    gState = NextRandomState(gState);
    return RandomValueBelow(gState, n);
}

}  // namespace platform
