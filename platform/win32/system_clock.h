#pragma once
// The system's clock: local time, the tick count and a pause.
#include "platform/clock.h"

namespace platform::win32 {

class SystemClock : public Clock {
public:
    TimeOfDay localTime() override;
    CalendarDate localDate() override;
    std::uint32_t tickMs() override;
    void sleepMs(std::uint32_t ms) override;
};

}  // namespace platform::win32
