// The option set's rule that ties family data to staff data.
#include "convert/options.h"

#include <gtest/gtest.h>

namespace {

using namespace convert;

TEST(Options, FamilyDataOnlyWithStaffData) {
    const struct {
        std::uint16_t before;
        std::uint16_t after;
    } cases[] = {
        {0xFFFF, 0xFFFF},
        {firm::Families | firm::TextData, firm::TextData},
        {firm::Staff | firm::Families, firm::Staff | firm::Families},
        {0xFFFF & ~firm::Staff, 0xFFFF & ~(firm::Staff | firm::Families)},
    };
    for (const auto& c : cases) {
        std::uint16_t items = c.before;
        EXPECT_EQ(KeepFamiliesWithStaff(items), c.before != c.after) << std::hex << c.before;
        EXPECT_EQ(items, c.after) << std::hex << c.before;
    }
}

}  // namespace
