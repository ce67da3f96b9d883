#pragma once
// The system's clock: local time of day, a steady millisecond tick and a pause.
#include "platform/clock.h"

namespace platform::posix {

class SystemClock : public Clock {
public:
    TimeOfDay LocalTime() override;
    CalendarDate LocalDate() override;
    std::uint32_t TickMs() override;  // from the steady clock: never jumps with the time of day
    // Writes the pause screen first, where the end-to-end checks ask for it
    // (pause_screen.h).
    void SleepMs(std::uint32_t ms) override;
};

// The steady millisecond tick, for the parts of the platform that time input.
std::uint32_t SteadyTickMs();

}  // namespace platform::posix
