// The system clock and the sound of Windows.
#include <gtest/gtest.h>

#include "platform/win32/api.h"
#include "platform/win32/beeper.h"
#include "platform/win32/system_clock.h"
#include "tests/support/program_test.h"

namespace {

TEST(SystemClock, TickIsSteadyAndSleepLastsAtLeastItsLength) {
    platform::win32::SystemClock clock;
    const std::uint32_t before = clock.TickMs();
    clock.SleepMs(50);
    const std::uint32_t after = clock.TickMs();
    // The tick count moves in steps of the system timer (up to 16 ms).
    EXPECT_GE(after - before, 34u);
    EXPECT_LT(after - before, 5000u);
}

TEST(SystemClock, LocalTimeIsTheSystemsTimeOfDay) {
    platform::win32::SystemClock clock;
    SYSTEMTIME local;
    GetLocalTime(&local);
    const platform::TimeOfDay time = clock.LocalTime();
    const int expected = local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
    const int got = time.hour * 3600 + time.minute * 60 + time.second;
    EXPECT_LE((got - expected + 86400) % 86400, 2) << "within the two seconds between the two readings";
    EXPECT_LT(time.millisecond, 1000);
}

class Beeper : public qztest::ProgramTest {};

TEST_F(Beeper, PlaysWithoutPausingOnTheInstalledClock) {
    platform::win32::Beeper beeper;
    beeper.Tone(1200, 96);
    beeper.Tone(0, 48);  // no frequency the system can play: nothing
    beeper.WarningBeep();
    EXPECT_EQ(clock.TotalSleptMs(), 0u) << "the tone's length is the toolkit's pause";
}

}  // namespace
