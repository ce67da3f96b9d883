// The product family's pseudo-random generator.
#include "platform/random.h"

#include <gtest/gtest.h>

namespace {

TEST(Random, DrawsFromSeedZero) {
    // States 1, 134775814, 3698175007, 870078620, 1172187917; each draw is
    // state * n / 2^32 rounded down.
    const std::uint32_t below255[] = {0, 8, 219, 51, 69};
    platform::SeedRandom(0);
    for (std::uint32_t expected : below255) EXPECT_EQ(platform::RandomBelow(255), expected);
    const std::uint32_t below32767[] = {0, 1028, 28213, 6637, 8942};
    platform::SeedRandom(0);
    for (std::uint32_t expected : below32767) EXPECT_EQ(platform::RandomBelow(32767), expected);
}

TEST(Random, FollowsTheCongruenceForAnySeed) {
    for (std::uint32_t seed : {0x12345678u, 0xFFFFFFFFu, 173u}) {
        platform::SeedRandom(seed);
        std::uint64_t state = seed;
        for (int i = 0; i < 1000; ++i) {
            state = (state * 134775813u + 1u) % (std::uint64_t{1} << 32);
            const std::uint32_t n = 1u + static_cast<std::uint32_t>(i) * 4294967u;
            ASSERT_EQ(platform::RandomBelow(n), (state * n) >> 32) << "seed " << seed << " draw " << i;
        }
    }
}

TEST(Random, SameSeedSameSequence) {
    platform::SeedRandom(0x12345678);
    EXPECT_EQ(platform::RandomBelow(32767), 26028u);
    EXPECT_EQ(platform::RandomBelow(32767), 15615u);
    platform::SeedRandom(0x12345678);
    EXPECT_EQ(platform::RandomBelow(32767), 26028u);
}

TEST(Random, DrawsBelowOneOrZeroAreZero) {
    platform::SeedRandom(99);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(platform::RandomBelow(1), 0u);
        EXPECT_EQ(platform::RandomBelow(0), 0u);
    }
}

}  // namespace
