#pragma once
// A clock for tests: pauses advance the time at once, nothing waits.
#include <functional>

#include "platform/clock.h"

namespace platform {

class VirtualClock : public Clock {
public:
    // Starts at the given time of day, in milliseconds since midnight.
    explicit VirtualClock(std::uint32_t msSinceMidnight = 9 * 3600 * 1000);

    TimeOfDay LocalTime() override;
    // A fixed day; the time of day wraps past midnight without changing it.
    CalendarDate LocalDate() override { return date_; }
    std::uint32_t TickMs() override { return tick_; }
    void SleepMs(std::uint32_t ms) override {
        if (beforePause) beforePause();
        Advance(ms);
    }

    void Advance(std::uint32_t ms);
    void SetTimeOfDay(int hour, int minute, int second, int millisecond = 0);
    std::uint64_t TotalSleptMs() const { return slept_; }

    // Runs at every pause, before the time moves on (to look at the screen then).
    std::function<void()> beforePause;

private:
    std::uint64_t msOfDay_;
    CalendarDate date_{2024, 1, 15};
    std::uint32_t tick_ = 0;
    std::uint64_t slept_ = 0;
};

}  // namespace platform
