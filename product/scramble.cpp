#include "product/scramble.h"

#include <array>

#include "platform/random.h"

namespace product {

namespace {

// The sequence drawn from the generator seeded with the product's seed is the same
// for every record: it is drawn once, at compile time, with the state it leaves.
struct ScrambleStream {
    std::array<std::uint8_t, kScrambledEnd - kScrambledBegin> bytes{};
    std::uint32_t stateAfter = 0;
};

constexpr ScrambleStream MakeScrambleStream() {
    ScrambleStream stream;
    std::uint32_t state = kScrambleSeed;
    for (std::uint8_t& byte : stream.bytes) {
        state = platform::NextRandomState(state);
        byte = static_cast<std::uint8_t>(platform::RandomValueBelow(state, 255));
    }
    stream.stateAfter = state;
    return stream;
}

constexpr ScrambleStream kScrambleStream = MakeScrambleStream();

}  // namespace

void ScrambleRecord(std::span<std::uint8_t, kScrambledRecordSize> record) {
    for (std::size_t i = 0; i < kScrambleStream.bytes.size(); ++i) record[kScrambledBegin + i] ^= kScrambleStream.bytes[i];
    // The process-wide generator is left where drawing the sequence leaves it.
    platform::SeedRandom(kScrambleStream.stateAfter);
}

}  // namespace product
