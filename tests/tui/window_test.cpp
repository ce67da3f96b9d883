// Windows: what they draw, what they refuse, and the screen they give back.
#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "tests/support/screen_test.h"
#include "tui/window.h"

using namespace platform::literals;

namespace {

class WindowTest : public qztest::ScreenTest {
protected:
    // Every cell different from its neighbours, control bytes included.
    void paintPattern() {
        for (int row = 1; row <= 25; ++row)
            for (int column = 1; column <= 80; ++column) {
                const char character = static_cast<char>((column * 7 + row * 13) % 256);
                screen.Write(column, row, std::string_view(&character, 1),
                             static_cast<std::uint8_t>((column + row * 3) % 256));
            }
    }
};

TEST_F(WindowTest, FramedWindowWithTitle) {
    tui::Window* window = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{10, 3, 30, 7}, {0x1E, 0x17, 0x1F}, " Okno "_cp, window));
    ASSERT_NE(window, nullptr);
    tui::WriteAtDefault(1, 1, "Zażółć"_cp);
    EXPECT_EQ(rows(2, 8),
              "\n"
              "         ┌────── Okno ───────┐\n"
              "         │Zażółć             │\n"
              "         │                   │\n"
              "         │                   │\n"
              "         └───────────────────┘\n"
              "\n");
    EXPECT_EQ(attributeOf(10, 3, 7), 0x17);   // corner and line up to the title
    EXPECT_EQ(attributeOf(17, 3, 6), 0x1E);   // " Okno "
    EXPECT_EQ(attributeOf(10, 4, 1), 0x17);   // left edge
    EXPECT_EQ(attributeOf(11, 4, 19), 0x1F);  // interior, text included
    EXPECT_EQ(attributeOf(10, 7, 21), 0x17);  // bottom line
    EXPECT_EQ(window->inner, (tui::Rect{11, 4, 29, 6}));
    tui::CloseWindow(window);
    EXPECT_EQ(window, nullptr);
}

TEST_F(WindowTest, NestedWindowsClosedInReverseOrderGiveBackEveryCell) {
    paintPattern();
    const auto before = allCells();

    tui::Window* outer = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{5, 4, 60, 20}, {0x70, 0x07, 0x02}, " A "_cp, outer));
    tui::WriteAt(0x0F, 2, 2, "first window");
    const auto withOuter = allCells();

    tui::Window* inner = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{40, 10, 80, 25}, {0x4F, 0x4F, 0x4F}, " B "_cp, inner));
    tui::WriteAt(0x4F, 1, 1, "second window");
    tui::Window* plain = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{1, 1, 80, 25}, {0, 0, 0x30, false}, "", plain));
    EXPECT_EQ(tui::CurrentWindow(), plain);

    tui::CloseWindow(plain);
    EXPECT_EQ(tui::CurrentWindow(), inner);
    tui::CloseWindow(inner);
    EXPECT_EQ(tui::CurrentWindow(), outer);
    EXPECT_EQ(allCells(), withOuter);
    tui::CloseWindow(outer);
    EXPECT_EQ(tui::CurrentWindow(), nullptr);
    EXPECT_EQ(allCells(), before);
}

TEST_F(WindowTest, WindowOutsideTheScreenIsRefusedAndNothingChanges) {
    struct Case {
        const char* what;
        bool framed;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {"interior reaches column 81", true, 60, 5, 82, 10},
        {"unframed reaches column 81", false, 60, 5, 81, 10},
        {"interior reaches row 26", true, 10, 20, 30, 27},
        {"interior starts at column 0", false, 0, 5, 10, 10},
        {"interior starts at row 0", true, 5, -1, 10, 10},
        {"framed window too narrow for an interior", true, 10, 5, 11, 10},
        {"left beyond right", false, 20, 5, 10, 10},
    };
    paintPattern();
    const auto before = allCells();
    tui::Window* below = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{1, 1, 5, 5}, {0, 0, 0x07, false}, "", below));
    const auto withBelow = allCells();
    for (const Case& c : cases) {
        tui::Window* window = below;  // not empty before the call
        const tui::Rect outer{c.left, c.top, c.right, c.bottom};
        EXPECT_FALSE(tui::OpenWindow(outer, {0x70, 0x70, 0x70, c.framed}, " X "_cp, window)) << c.what;
        EXPECT_EQ(window, nullptr) << c.what;
        EXPECT_EQ(tui::CurrentWindow(), below) << c.what;
        EXPECT_EQ(allCells(), withBelow) << c.what;
    }
    tui::CloseWindow(below);
    EXPECT_EQ(allCells(), before);
}

TEST_F(WindowTest, WindowsAtTheScreenEdgesAreAccepted) {
    tui::Window* whole = nullptr;
    EXPECT_TRUE(tui::OpenWindow(tui::Rect{1, 1, 80, 25}, {0, 0, 0x07, false}, "", whole));
    tui::Window* framed = nullptr;
    EXPECT_TRUE(tui::OpenWindow(tui::Rect{1, 1, 80, 25}, {0, 0x07, 0x07}, "", framed));
    EXPECT_EQ(framed->inner, (tui::Rect{2, 2, 79, 24}));
    tui::CloseWindow(framed);
    tui::CloseWindow(whole);
}

TEST_F(WindowTest, WriteAtIsRelativeToTheInteriorAndCutAtItsEdges) {
    tui::WriteAt(0x0E, 3, 2, "screen");  // no window: screen position
    EXPECT_EQ(screen.BytesAt(3, 2, 6), "screen");
    EXPECT_EQ(screen.CellAt(3, 2).attribute, 0x0E);

    tui::Window* window = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{10, 10, 20, 14}, {0, 0x07, 0x1F}, "", window));
    tui::WriteAt(0x4E, 8, 1, "abcdef");   // interior is 9 columns wide: "ab" fits
    tui::WriteAt(0x4E, 0, 2, "xyz");      // starts left of the interior: "yz"
    tui::WriteAt(0x4E, 1, 4, "below");    // row 4 of a 3-row interior: nothing
    tui::WriteAtDefault(2, 3, "d");
    EXPECT_EQ(rows(10, 14),
              "         ┌─────────┐\n"
              "         │       ab│\n"
              "         │yz       │\n"
              "         │ d       │\n"
              "         └─────────┘\n");
    EXPECT_EQ(screen.CellAt(18, 11).attribute, 0x4E);
    EXPECT_EQ(screen.CellAt(12, 13).attribute, 0x1F);
    tui::CloseWindow(window);
}

TEST_F(WindowTest, ActivateWindowMakesAnOpenWindowCurrentAgain) {
    tui::Window* first = nullptr;
    tui::Window* second = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{1, 1, 10, 3}, {0, 0, 0x07, false}, "", first));
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{41, 1, 50, 3}, {0, 0, 0x07, false}, "", second));
    EXPECT_TRUE(tui::ActivateWindow(first));
    tui::WriteAt(0x07, 1, 1, "one");
    EXPECT_EQ(screen.BytesAt(1, 1, 3), "one");
    EXPECT_TRUE(tui::ActivateWindow(second));
    tui::WriteAt(0x07, 1, 1, "two");
    EXPECT_EQ(screen.BytesAt(41, 1, 3), "two");

    tui::Window* closed = second;
    tui::CloseWindow(second);
    EXPECT_FALSE(tui::ActivateWindow(closed));
    EXPECT_FALSE(tui::ActivateWindow(nullptr));
    EXPECT_EQ(tui::CurrentWindow(), first);
    tui::CloseWindow(first);
    tui::CloseWindow(first);  // empty handle: ignored
}

TEST_F(WindowTest, MouseAndCursorPositionsFollowTheCurrentWindow) {
    tui::Window* window = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{20, 9, 40, 15}, {0, 0x07, 0x07}, "", window));
    int column = 0;
    int row = 0;
    tui::ScreenToWindow(21, 10, column, row);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 1);
    tui::PlaceCursor(3, 2);
    EXPECT_EQ(screen.CursorColumn(), 23);
    EXPECT_EQ(screen.CursorRow(), 11);
    tui::CloseWindow(window);
}

}  // namespace
