// The text device: plain text output inside the current window or text region.
#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "tests/support/screen_test.h"
#include "tui/text_device.h"
#include "tui/window.h"

using namespace platform::literals;

namespace {

using TextDeviceTest = qztest::ScreenTest;

TEST_F(TextDeviceTest, WritesWrapAndScrollInsideTheWindow) {
    tui::Window* window = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{1, 1, 10, 5}, {0, 0x07, 0x07}, "", window));
    tui::SetTextAttribute(0x1E);
    tui::WriteLine("one");
    tui::WriteText("twotwotwoX");  // 8 columns: wraps after 8 characters
    tui::WriteLine();
    tui::WriteLine("four");  // the 3-row interior has scrolled twice
    EXPECT_EQ(rows(1, 6),
              "┌────────┐\n"
              "│oX      │\n"
              "│four    │\n"
              "│        │\n"
              "└────────┘\n"
              "\n");
    EXPECT_EQ(screen.CellAt(2, 2).attribute, 0x1E);
    EXPECT_EQ(tui::WhereX(), 1);
    EXPECT_EQ(tui::WhereY(), 3);
    tui::CloseWindow(window);
}

TEST_F(TextDeviceTest, ControlBytesAreShownNotObeyed) {
    tui::WriteText(std::string_view("a\r\nb\x07", 5));
    EXPECT_EQ(rows(1, 2), "a♪◙b•\n\n");
    EXPECT_EQ(tui::WhereX(), 6);
}

TEST_F(TextDeviceTest, ClearUsesTheCurrentAttributeAndHomesTheCursor) {
    tui::SetTextRegion(tui::Rect{3, 3, 77, 20});
    tui::SetTextAttribute(0x4F);
    tui::SetTextBackground(0);
    EXPECT_EQ(tui::TextAttribute(), 0x0F);
    tui::GotoXY(5, 5);
    tui::ClearText();
    EXPECT_EQ(screen.CellAt(3, 3).attribute, 0x0F);
    EXPECT_EQ(screen.CellAt(77, 20).attribute, 0x0F);
    EXPECT_EQ(screen.CellAt(78, 20).attribute, 0x07);
    EXPECT_EQ(screen.CellAt(3, 21).attribute, 0x07);
    EXPECT_EQ(screen.CursorColumn(), 3);
    EXPECT_EQ(screen.CursorRow(), 3);
}

TEST_F(TextDeviceTest, GotoOutsideTheRegionIsIgnored) {
    tui::SetTextRegion(tui::Rect{3, 3, 77, 20});
    tui::GotoXY(10, 4);
    tui::GotoXY(76, 1);
    tui::GotoXY(1, 19);
    EXPECT_EQ(tui::WhereX(), 10);
    EXPECT_EQ(tui::WhereY(), 4);
    tui::WriteText("x");
    EXPECT_EQ(screen.BytesAt(12, 6, 1), "x");
}

TEST_F(TextDeviceTest, ClosingAWindowGivesBackTheRegionAndCursor) {
    tui::GotoXY(7, 9);
    tui::Window* window = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{30, 5, 50, 10}, {0, 0x07, 0x07}, "", window));
    EXPECT_EQ(tui::TextRegion(), (tui::Rect{31, 6, 49, 9}));
    tui::WriteText("inside");
    EXPECT_EQ(screen.BytesAt(31, 6, 6), "inside");
    tui::CloseWindow(window);
    EXPECT_EQ(tui::TextRegion(), (tui::Rect{1, 1, 80, 25}));
    EXPECT_EQ(tui::WhereX(), 7);
    EXPECT_EQ(tui::WhereY(), 9);
    EXPECT_EQ(screen.CursorColumn(), 7);
    EXPECT_EQ(screen.CursorRow(), 9);
}

}  // namespace
