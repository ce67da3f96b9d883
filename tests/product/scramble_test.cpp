// Scrambling of personal records.
#include "product/scramble.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/random.h"

namespace {

using Record = std::array<std::uint8_t, product::kScrambledRecordSize>;

Record Pattern() {
    Record record;
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return record;
}

// The byte stream the scrambling uses, straight from the congruence: the state
// advances as state * 134775813 + 1 modulo 2^32, each byte is state * 255 / 2^32.
std::array<std::uint8_t, 2008> KeyStream() {
    std::array<std::uint8_t, 2008> key;
    std::uint64_t state = product::kScrambleSeed;
    for (std::uint8_t& k : key) {
        state = (state * 134775813u + 1u) & 0xFFFFFFFFu;
        k = static_cast<std::uint8_t>((state * 255u) >> 32);
    }
    return key;
}

TEST(ScrambleRecord, TwiceGivesBackTheRecord) {
    const Record original = Pattern();
    Record record = original;
    product::ScrambleRecord(record);
    EXPECT_NE(record, original);
    product::ScrambleRecord(record);
    EXPECT_EQ(record, original);
}

TEST(ScrambleRecord, HeadAndTailNeverChange) {
    const Record original = Pattern();
    Record record = original;
    product::ScrambleRecord(record);
    for (std::size_t i = 0; i < 14; ++i) EXPECT_EQ(record[i], original[i]) << "position " << i + 1;
    for (std::size_t i = 2022; i < 2048; ++i) EXPECT_EQ(record[i], original[i]) << "position " << i + 1;
}

TEST(ScrambleRecord, MiddleIsXoredWithTheGeneratorsDraws) {
    const Record original = Pattern();
    Record record = original;
    product::ScrambleRecord(record);
    const auto key = KeyStream();
    for (std::size_t p = 15; p <= 2022; ++p) {
        ASSERT_EQ(record[p - 1], original[p - 1] ^ key[p - 15]) << "position " << p;
    }
}

TEST(ScrambleRecord, StartsFromTheSameStateEveryTime) {
    Record first{}, second{};
    platform::SeedRandom(12345);  // whatever state the generator was in before
    product::ScrambleRecord(first);
    const std::uint32_t after = platform::RandomBelow(1000000);
    product::ScrambleRecord(second);
    EXPECT_EQ(first, second);
    EXPECT_EQ(platform::RandomBelow(1000000), after);
}

}  // namespace
