// The option set: its defaults and the rule that ties family data to staff data.
#include "convert/options.h"

#include <gtest/gtest.h>

namespace {

using namespace convert;

TEST(Options, DefaultsCopyEverythingButLastYearsTaxConstants) {
    const Options o;
    EXPECT_EQ(o.globalSourceDir, "#BIN023");
    EXPECT_EQ(o.globalItems, 0x07DF);
    EXPECT_FALSE(o.has(o.globalItems, global::LastYearTaxConstants));
    EXPECT_TRUE(o.has(o.globalItems, global::Separator));
    EXPECT_EQ(o.firmItems, 0xFFFF);
    EXPECT_EQ(o.staffSelection, StaffSelection::All);
    EXPECT_EQ(o.pitDSelection, PitDSelection::All);
    EXPECT_EQ(o.entries2024, 0xFFFF);
    EXPECT_TRUE(o.has(o.entries2024, entries::NumberedCopy));
    EXPECT_EQ(o.addOns, 0xFFFF);
    EXPECT_EQ(o.copyScope, 0xFFFF);
    EXPECT_FALSE(o.stopAfterEachFirm);
    EXPECT_FALSE(o.slowMode);
    EXPECT_FALSE(o.renameConverted);
    EXPECT_TRUE(o.decemberWarning);
}

TEST(Options, FamilyDataOnlyWithStaffData) {
    const struct {
        std::uint16_t before;
        std::uint16_t after;
        bool changed;
    } cases[] = {
        {0xFFFF, 0xFFFF, false},
        {firm::Families, 0x0000, true},
        {firm::Families | firm::TextData | firm::PitD, firm::TextData | firm::PitD, true},
        {firm::Staff, firm::Staff, false},
        {firm::Staff | firm::Families, firm::Staff | firm::Families, false},
        {0xFFFF & ~firm::Staff, 0xFFFF & ~(firm::Staff | firm::Families), true},
    };
    for (const auto& c : cases) {
        std::uint16_t items = c.before;
        EXPECT_EQ(KeepFamiliesWithStaff(items), c.changed) << std::hex << c.before;
        EXPECT_EQ(items, c.after) << std::hex << c.before;
    }
}

}  // namespace
