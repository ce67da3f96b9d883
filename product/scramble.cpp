#include "product/scramble.h"

#include "platform/random.h"

namespace product {

void ScrambleRecord(std::span<std::uint8_t, kScrambledRecordSize> record) {
    platform::SeedRandom(kScrambleSeed);
    for (std::size_t i = kScrambledBegin; i < kScrambledEnd; ++i)
        record[i] ^= static_cast<std::uint8_t>(platform::RandomBelow(255));
}

}  // namespace product
