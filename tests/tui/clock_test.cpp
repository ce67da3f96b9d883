// The clock in the top-right corner.
#include <gtest/gtest.h>

#include "tests/support/screen_test.h"
#include "tui/clock_tick.h"
#include "tui/colours.h"

namespace {

using ClockTest = qztest::ScreenTest;

TEST_F(ClockTest, ShowsTheTimeWithTwoDigitsEachAtColumn73) {
    clock.SetTimeOfDay(9, 5, 7, 100);
    tui::ClockTick();
    EXPECT_EQ(screen.BytesAt(73, 1, 8), "09:05:07");
    EXPECT_EQ(attributeOf(73, 1, 8), 0x0F);
    EXPECT_EQ(screen.CellAt(72, 1).character, ' ');
    EXPECT_EQ(clock.TotalSleptMs(), 64u);
}

TEST_F(ClockTest, AKeyTypedEndsThePauseAtOnce) {
    clock.SetTimeOfDay(9, 5, 7, 100);
    screen.PushKey(0x1C0D);  // Enter
    tui::ClockTick();
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
    EXPECT_EQ(screen.BytesAt(73, 1, 8), "09:05:07");
    EXPECT_FALSE(screen.InputEmpty());  // the key is left for the event source
}

TEST_F(ClockTest, IsRewrittenOnlyWhenTheSecondChanges) {
    clock.SetTimeOfDay(9, 5, 7, 0);
    tui::ClockTick();
    screen.Write(73, 1, "--------", 0x07);
    for (int tick = 0; tick < 14; ++tick) tui::ClockTick();  // 07.064 ... 07.960
    EXPECT_EQ(screen.BytesAt(73, 1, 8), "--------");
    tui::ClockTick();  // 08.024
    EXPECT_EQ(screen.BytesAt(73, 1, 8), "09:05:08");
}

TEST_F(ClockTest, EdgesOfTheDay) {
    const struct {
        int hour, minute, second;
        const char* shown;
    } cases[] = {{0, 0, 0, "00:00:00"}, {23, 59, 59, "23:59:59"}, {12, 30, 9, "12:30:09"}, {10, 0, 0, "10:00:00"}};
    for (const auto& c : cases) {
        clock.SetTimeOfDay(c.hour, c.minute, c.second);
        tui::InvalidateClock();
        tui::ClockTick();
        EXPECT_EQ(screen.BytesAt(73, 1, 8), c.shown);
    }
}

TEST_F(ClockTest, UsesTheClockAttribute) {
    tui::SetClockAttribute(0x1E);
    tui::ClockTick();
    EXPECT_EQ(attributeOf(73, 1, 8), 0x1E);
}

}  // namespace
