// The person key table: 2048 entries, at most 2047 keys stored, searches bounded by
// what was stored.
#include "convert/staff/person_keys.h"

#include <gtest/gtest.h>

namespace {

class PersonKeysTest : public ::testing::Test {
protected:
    PersonKeysTest() { convert::EmptyPersonKeys(); }
};

TEST_F(PersonKeysTest, KeysAreFoundOnlyOnceAdded) {
    EXPECT_FALSE(convert::FindPersonKey(0));  // the empty table holds no zero keys
    EXPECT_EQ(convert::AddPersonKey(17), 1);
    EXPECT_EQ(convert::AddPersonKey(-5), 2);
    EXPECT_TRUE(convert::FindPersonKey(17));
    EXPECT_TRUE(convert::FindPersonKey(-5));
    EXPECT_FALSE(convert::FindPersonKey(18));
    EXPECT_FALSE(convert::FindPersonKey(0));
}

TEST_F(PersonKeysTest, EmptyingForgetsEveryKey) {
    convert::AddPersonKey(17);
    convert::EmptyPersonKeys();
    EXPECT_EQ(convert::PersonKeyCount(), 0);
    EXPECT_FALSE(convert::FindPersonKey(17));
}

TEST_F(PersonKeysTest, The2048thPersonIsCountedButNotStored) {
    for (std::int64_t key = 1; key <= 2047; ++key) convert::AddPersonKey(key * 10);
    EXPECT_EQ(convert::PersonKeyCount(), 2047);
    EXPECT_TRUE(convert::FindPersonKey(20470));
    EXPECT_EQ(convert::AddPersonKey(20480), convert::kPersonKeyEntries);
    EXPECT_EQ(convert::AddPersonKey(20490), 2049);
    EXPECT_TRUE(convert::FindPersonKey(10));
    EXPECT_TRUE(convert::FindPersonKey(20470));
    EXPECT_FALSE(convert::FindPersonKey(20480));
    EXPECT_FALSE(convert::FindPersonKey(20490));
    // The never-filled last entry holds 0, and a search past the stored keys would
    // find it.
    EXPECT_FALSE(convert::FindPersonKey(0));
}

TEST_F(PersonKeysTest, TheCountStopsAtItsLimit) {
    for (int i = 0; i < 70000; ++i) convert::AddPersonKey(i);
    EXPECT_EQ(convert::PersonKeyCount(), 65535);
    EXPECT_TRUE(convert::FindPersonKey(2046));
    EXPECT_FALSE(convert::FindPersonKey(69999));
}

}  // namespace
