#pragma once
// Time as the program sees it: the local date and time of day, a millisecond tick and a pause.
// Production reads the system clock; tests install a virtual clock whose pauses
// advance time instantly, so a 2500 ms box costs no real time.
#include <cstdint>

namespace platform {

struct TimeOfDay {
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint16_t millisecond = 0;
};

struct CalendarDate {
    std::uint16_t year = 0;
    std::uint8_t month = 0;  // 1-12
    std::uint8_t day = 0;    // 1-31
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay LocalTime() = 0;
    virtual CalendarDate LocalDate() = 0;
    virtual std::uint32_t TickMs() = 0;  // milliseconds since an arbitrary start, wraps
    virtual void SleepMs(std::uint32_t ms) = 0;
};

Clock& InstalledClock();
void InstallClock(Clock* clock);

}  // namespace platform
