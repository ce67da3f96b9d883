#pragma once
// The system's clock: local time, the tick count and a pause.
#include "platform/clock.h"

namespace platform::win32 {

class SystemClock : public Clock {
public:
    TimeOfDay LocalTime() override;
    CalendarDate LocalDate() override;
    std::uint32_t TickMs() override;
    void SleepMs(std::uint32_t ms) override;
};

}  // namespace platform::win32
