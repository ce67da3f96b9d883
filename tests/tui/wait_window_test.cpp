// The wait window: geometry, characters, colours, the bar and the counter.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp852.h"
#include "tests/support/screen_test.h"
#include "tui/wait_window.h"

using namespace platform::literals;

namespace {

class WaitWindowTest : public qztest::ScreenTest {
protected:
    // The bar's row from interior column 2 (screen column 21), 35 cells.
    std::string bar() const { return screen.BytesAt(21, 12, 35); }
    std::string counter() const { return screen.BytesAt(21, 14, 8); }
};

std::string repeat(char c, int n) { return std::string(static_cast<std::size_t>(n), c); }

TEST_F(WaitWindowTest, OpensInTheMiddleWithItsCaptionAndTrack) {
    auto wait = tui::OpenWaitWindow(10, "Sieciowa KOLEJKA "_cp, "");
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(rows(7, 16),
              "\n"
              "                  ┌──────────Sieciowa KOLEJKA ──────────┐\n"
              "                  │                                     │\n"
              "                  │   Czekaj ...                        │\n"
              "                  │                                     │\n"
              "                  │ ░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░░ │\n"
              "                  │                                     │\n"
              "                  │                                     │\n"
              "                  └─────────────────────────────────────┘\n"
              "\n");
    EXPECT_EQ(wait->window->inner, (tui::Rect{20, 9, 56, 14}));
    EXPECT_EQ(attributeOf(20, 9, 37), 0x70);   // the whole interior in colour 10
    EXPECT_EQ(attributeOf(20, 14, 37), 0x70);
    EXPECT_EQ(attributeOf(30, 8, 17), 0x70);   // the title
    EXPECT_EQ(attributeOf(19, 8, 11), 0x07);   // the frame in colour 4
    EXPECT_EQ(attributeOf(19, 15, 39), 0x07);
    tui::CloseWaitWindow(wait);
}

TEST_F(WaitWindowTest, TheBarAndCounterFollowTheSteps) {
    const auto before = allCells();
    auto wait = tui::OpenWaitWindow(10, "Wstawianie..."_cp, "");
    ASSERT_NE(wait, nullptr);
    tui::AdvanceWait(*wait, 5);
    EXPECT_EQ(bar(), repeat('\xDB', 17) + repeat('\xB0', 18));
    EXPECT_EQ(counter(), "5       ");
    EXPECT_EQ(attributeOf(21, 14, 8), 0x4F);
    EXPECT_EQ(attributeOf(21, 12, 35), 0x70);

    tui::AdvanceWait(*wait, 20);
    EXPECT_EQ(wait->position, 10);
    EXPECT_EQ(bar(), repeat('\xDB', 35));
    EXPECT_EQ(counter(), "10      ");

    tui::ResetWait(*wait);
    EXPECT_EQ(wait->position, 0);
    EXPECT_EQ(bar(), repeat('\xB1', 35));
    EXPECT_EQ(counter(), "10      ");  // the counter is redrawn at the next step
    tui::AdvanceWait(*wait, 1);
    EXPECT_EQ(bar(), repeat('\xDB', 3) + repeat('\xB1', 32));
    EXPECT_EQ(counter(), "1       ");

    tui::CloseWaitWindow(wait);
    EXPECT_EQ(wait, nullptr);
    EXPECT_EQ(allCells(), before);
    tui::CloseWaitWindow(wait);  // empty: ignored
}

TEST_F(WaitWindowTest, TotalsBelowOneCountAsOne) {
    const int totals[] = {0, -5};
    for (int total : totals) {
        auto wait = tui::OpenWaitWindow(total, "", "Kopiowanie"_cp);
        ASSERT_NE(wait, nullptr);
        EXPECT_EQ(wait->total, 1) << total;
        EXPECT_EQ(screen.BytesAt(23, 10, 32), "Kopiowanie" + repeat(' ', 22)) << total;
        tui::AdvanceWait(*wait, 1);
        EXPECT_EQ(bar(), repeat('\xDB', 35)) << total;
        tui::CloseWaitWindow(wait);
    }
}

TEST_F(WaitWindowTest, StepsNeverLeaveZeroToTotal) {
    auto wait = tui::OpenWaitWindow(2000000000, "", "");
    ASSERT_NE(wait, nullptr);
    tui::AdvanceWait(*wait, 1999999999);
    EXPECT_EQ(bar(), repeat('\xDB', 34) + repeat('\xB0', 1));  // no overflow in position * 35
    tui::AdvanceWait(*wait, 2000000000);
    EXPECT_EQ(wait->position, 2000000000);
    tui::AdvanceWait(*wait, -2100000000);
    EXPECT_EQ(wait->position, 0);
    EXPECT_EQ(counter(), "0       ");
    tui::CloseWaitWindow(wait);
}

TEST_F(WaitWindowTest, NoWindowOnAScreenTooSmall) {
    platform::VirtualConsole small(40, 12);
    platform::InstallConsole(&small);
    auto wait = tui::OpenWaitWindow(10, "", "");
    EXPECT_EQ(wait, nullptr);
    platform::InstallConsole(&screen);
}

}  // namespace
