// Showing the screen during work that never waits for input: at once the first
// time, then at most once every kProgressIntervalMs, a pause counting as a showing.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/screen_test.h"
#include "tui/screen.h"

namespace {

class ShowProgressTest : public qztest::ScreenTest {
protected:
    // Draws one cell, asks for a showing and tells whether the screen was shown.
    bool drawAndShow() {
        tui::WriteOnScreen(0x07, 1, 3, std::string(1, static_cast<char>('A' + ++drawn_ % 26)));
        const int before = screen.CellsFlushed();
        tui::ShowProgress();
        return screen.CellsFlushed() > before;
    }

private:
    int drawn_ = 0;
};

TEST_F(ShowProgressTest, TheFirstCallShowsAtOnceAndLaterOnesOncePerInterval) {
    EXPECT_TRUE(drawAndShow());
    EXPECT_FALSE(drawAndShow()) << "shown again without time passing";
    clock.Advance(tui::kProgressIntervalMs - 1);
    EXPECT_FALSE(drawAndShow()) << "shown before the interval ended";
    clock.Advance(1);
    EXPECT_TRUE(drawAndShow());
    EXPECT_FALSE(drawAndShow());
}

TEST_F(ShowProgressTest, APauseShowsTheScreenAndStartsTheIntervalAgain) {
    EXPECT_TRUE(drawAndShow());
    clock.Advance(tui::kProgressIntervalMs - 5);
    tui::Delay(5);  // shows, then the clock moves on 5 ms
    clock.Advance(tui::kProgressIntervalMs - 6);
    EXPECT_FALSE(drawAndShow()) << "the pause did not count as a showing";
    clock.Advance(1);
    EXPECT_TRUE(drawAndShow());
}

TEST_F(ShowProgressTest, TheIntervalHoldsAcrossTheWrapOfTheTick) {
    clock.Advance(UINT32_MAX - 10);  // the tick is 11 ms before its wrap
    EXPECT_TRUE(drawAndShow());
    clock.Advance(20);
    EXPECT_FALSE(drawAndShow()) << "the wrap looked like a long pause";
    clock.Advance(tui::kProgressIntervalMs - 20);
    EXPECT_TRUE(drawAndShow()) << "the wrap looked like time running backwards";
}

TEST_F(ShowProgressTest, TheScreenLayersStartUpStateShowsAtTheFirstCall) {
    EXPECT_TRUE(drawAndShow());
    tui::InitScreen();
    EXPECT_TRUE(drawAndShow()) << "the showing before the start-up state held the next one back";
}

}  // namespace
