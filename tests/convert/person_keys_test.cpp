// The person key table: 2048 entries, at most 2047 keys stored, searches bounded by
// what was stored.
#include "convert/staff/person_keys.h"

#include <gtest/gtest.h>

namespace {

class PersonKeysTest : public ::testing::Test {
protected:
    convert::PersonKeys keys;
};

TEST_F(PersonKeysTest, KeysAreFoundOnlyOnceAdded) {
    EXPECT_FALSE(keys.Find(0));  // the empty table holds no zero keys
    EXPECT_EQ(keys.Add(17), 1);
    EXPECT_EQ(keys.Add(-5), 2);
    EXPECT_TRUE(keys.Find(17));
    EXPECT_TRUE(keys.Find(-5));
    EXPECT_FALSE(keys.Find(18));
    EXPECT_FALSE(keys.Find(0));
}

TEST_F(PersonKeysTest, The2048thPersonIsCountedButNotStored) {
    for (std::int64_t key = 1; key <= 2047; ++key) keys.Add(key * 10);
    EXPECT_EQ(keys.Count(), 2047);
    EXPECT_TRUE(keys.Find(20470));
    EXPECT_EQ(keys.Add(20480), convert::kPersonKeyEntries);
    EXPECT_EQ(keys.Add(20490), 2049);
    EXPECT_TRUE(keys.Find(10));
    EXPECT_TRUE(keys.Find(20470));
    EXPECT_FALSE(keys.Find(20480));
    EXPECT_FALSE(keys.Find(20490));
    // The never-filled last entry holds 0, and a search past the stored keys would
    // find it.
    EXPECT_FALSE(keys.Find(0));
}

TEST_F(PersonKeysTest, TheCountStopsAtItsLimit) {
    for (int i = 0; i < 70000; ++i) keys.Add(i);
    EXPECT_EQ(keys.Count(), 65535);
    EXPECT_TRUE(keys.Find(2046));
    EXPECT_FALSE(keys.Find(69999));
}

}  // namespace
