// The colour scheme and its saved copies.
#include <gtest/gtest.h>

#include "tests/support/screen_test.h"
#include "tui/colours.h"

namespace {

using ColoursTest = qztest::ScreenTest;

tui::ColourScheme scheme() {
    tui::ColourScheme copy{};
    tui::SaveColours(copy);
    return copy;
}

TEST_F(ColoursTest, MakeAttributeIsBackgroundTimesSixteenPlusForeground) {
    EXPECT_EQ(tui::MakeAttribute(1, 14), 0x1E);
    EXPECT_EQ(tui::MakeAttribute(4, 15), 0x4F);
    EXPECT_EQ(tui::MakeAttribute(0, 7), 0x07);
    EXPECT_EQ(tui::MakeAttribute(15, 15), 0xFF);
}

TEST_F(ColoursTest, TheDefaultsByRole) {
    const std::pair<tui::ColourRole, tui::Attribute> roles[] = {
        {tui::colNormal, 0x07},      {tui::colFocusedLabel, 0x0F}, {tui::colControl, 0x1F},
        {tui::colControlAlt, 0x70},  {tui::colDialogFrame, 0x07},  {tui::colDialogText, 0x02},
        {tui::colDialogTitle, 0x0F}, {tui::colQuestion, 0x0F},     {tui::colError, 0x4F},
        {tui::colHotKey, 0x0F},      {tui::colSelection, 0x70},
    };
    for (const auto& [role, attribute] : roles) EXPECT_EQ(tui::Colour(role), attribute) << "role " << role;
    EXPECT_EQ(tui::ClockAttribute(), 0x0F);
}

TEST_F(ColoursTest, ACopyIsRestoredUnlessItsFirstFourAreZero) {
    tui::ColourScheme yellowOnBlue;
    yellowOnBlue.fill(0x1E);
    tui::RestoreColours(yellowOnBlue);
    EXPECT_EQ(scheme(), yellowOnBlue);

    tui::ColourScheme empty{};
    tui::RestoreColours(empty);
    EXPECT_EQ(scheme(), yellowOnBlue);

    tui::ColourScheme zeroHead = tui::kDefaultColours;
    zeroHead[0] = zeroHead[1] = zeroHead[2] = zeroHead[3] = 0;
    tui::RestoreColours(zeroHead);
    EXPECT_EQ(scheme(), yellowOnBlue);

    for (int i = 0; i < 4; ++i) {
        tui::ColourScheme oneSet{};
        oneSet[i] = 0x01;
        tui::RestoreColours(oneSet);
        EXPECT_EQ(scheme(), oneSet) << "attribute " << i << " set";
    }
}

}  // namespace
