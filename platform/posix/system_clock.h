#pragma once
// The system's clock: local time of day, a steady millisecond tick and a pause.
#include <string>

#include "platform/clock.h"

namespace platform::posix {

class SystemClock : public Clock {
public:
    TimeOfDay localTime() override;
    CalendarDate localDate() override;
    std::uint32_t tickMs() override;  // from the steady clock: never jumps with the time of day
    void sleepMs(std::uint32_t ms) override;

    // Every pause first writes the console's cells to this file (none: empty), for
    // the end-to-end checks (pause_screen.h).
    void setPauseScreen(std::string path) { pauseScreen_ = std::move(path); }

private:
    std::string pauseScreen_;
};

// The steady millisecond tick, for the parts of the platform that time input.
std::uint32_t steadyTickMs();

}  // namespace platform::posix
