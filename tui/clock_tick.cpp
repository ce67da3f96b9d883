#include "tui/clock_tick.h"

#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "tui/colours.h"
#include "tui/desktop.h"
#include "tui/screen.h"

namespace tui {

namespace {

constexpr std::uint32_t kPollPauseMs = 64;
constexpr int kClockColumn = 73;

void AppendTwoDigits(std::string& text, int value) {
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

}  // namespace

void ClockTick() {
    IdleWait(kPollPauseMs);
    const platform::TimeOfDay now = platform::InstalledClock().LocalTime();
    std::uint16_t& shownSecond = TheScreen().clockSecond;
    if (now.second == shownSecond) return;
    shownSecond = now.second;
    std::string text;
    AppendTwoDigits(text, now.hour);
    text += ':';
    AppendTwoDigits(text, now.minute);
    text += ':';
    AppendTwoDigits(text, now.second);
    WriteOnScreen(ClockAttribute(), kClockColumn, 1, text);
}

void InvalidateClock() { TheScreen().clockSecond = kClockNotShown; }

}  // namespace tui
