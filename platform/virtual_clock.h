#pragma once
// A clock for tests: pauses advance the time at once, nothing waits.
#include "platform/clock.h"

namespace platform {

class VirtualClock : public Clock {
public:
    // Starts at the given time of day, in milliseconds since midnight.
    explicit VirtualClock(std::uint32_t msSinceMidnight = 9 * 3600 * 1000);

    TimeOfDay localTime() override;
    // A fixed date: tests see the same day whatever the time.
    CalendarDate localDate() override { return {2024, 1, 15}; }
    std::uint32_t tickMs() override { return tick_; }
    void sleepMs(std::uint32_t ms) override { advance(ms); }

    void advance(std::uint32_t ms);
    void setTimeOfDay(int hour, int minute, int second, int millisecond = 0);
    std::uint64_t totalSleptMs() const { return slept_; }

private:
    std::uint64_t msOfDay_;
    std::uint32_t tick_ = 0;
    std::uint64_t slept_ = 0;
};

}  // namespace platform
