// The system clock and the terminal bell.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/posix/system_clock.h"
#include "platform/posix/terminal_bell.h"
#include "tests/support/program_test.h"

namespace {

TEST(SystemClock, TickIsSteadyAndSleepLastsAtLeastItsLength) {
    platform::posix::SystemClock clock;
    const std::uint32_t before = clock.TickMs();
    clock.SleepMs(20);
    const std::uint32_t after = clock.TickMs();
    EXPECT_GE(after - before, 20u);
    EXPECT_LT(after - before, 5000u);
}

TEST(SystemClock, LocalTimeIsTheSystemsTimeOfDay) {
    platform::posix::SystemClock clock;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const platform::TimeOfDay time = clock.LocalTime();
    const int expected = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const int got = time.hour * 3600 + time.minute * 60 + time.second;
    EXPECT_LE((got - expected + 86400) % 86400, 2) << "within the two seconds between the two readings";
    EXPECT_LT(time.millisecond, 1000);
}

class Bell : public qztest::ProgramTest {};

TEST_F(Bell, RingsWithoutPausing) {
    platform::posix::TerminalBell bell;
    bell.Tone(1200, 96);
    bell.WarningBeep();
    EXPECT_EQ(clock.TotalSleptMs(), 0u) << "the tone's length is the toolkit's pause";
}

}  // namespace
