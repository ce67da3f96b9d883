// Tones and the QZSOUND switch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/support/screen_test.h"
#include "tui/tones.h"

namespace {

using Played = platform::RecordingSound::Played;

class SoundTest : public qztest::ScreenTest {
protected:
    ~SoundTest() override {
        setSwitch(clearSwitch);
        tui::SoundInit();
    }
    // putenv keeps the string itself, so each setting is a static array.
    static void setSwitch(char* setting) { putenv(setting); }
    static inline char clearSwitch[] = "QZSOUND=";
};

TEST_F(SoundTest, TonesSoundInUnitsOf48Ms) {
    tui::SoundInit();
    tui::Tone(2, 1200);
    tui::Tone(2, 4000);
    tui::Beep();
    tui::WarningBeep();
    EXPECT_EQ(sound.played, (std::vector<Played>{{1200, 96}, {4000, 96}, {500, 288}, {0, 0}}));
    EXPECT_EQ(clock.TotalSleptMs(), 96u + 96u + 288u) << "each tone holds the program for its length";
}

TEST_F(SoundTest, OnlyTheExactValueOffSilencesThem) {
    static char off[] = "QZSOUND=OFF";
    static char lower[] = "QZSOUND=off";
    static char longer[] = "QZSOUND=OFF ";
    const struct {
        char* setting;
        bool silent;
    } cases[] = {{off, true}, {lower, false}, {longer, false}, {clearSwitch, false}};
    for (const auto& c : cases) {
        setSwitch(c.setting);
        tui::SoundInit();
        sound.played.clear();
        tui::Beep();
        tui::Tone(1, 100);
        tui::WarningBeep();
        EXPECT_EQ(tui::SoundOff(), c.silent) << c.setting;
        EXPECT_EQ(sound.played.empty(), c.silent) << c.setting;
    }
}

}  // namespace
