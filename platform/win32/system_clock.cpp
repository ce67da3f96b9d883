#include "platform/win32/system_clock.h"

#include "platform/win32/api.h"

namespace platform::win32 {

TimeOfDay SystemClock::LocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TimeOfDay{static_cast<std::uint8_t>(now.wHour), static_cast<std::uint8_t>(now.wMinute),
                     static_cast<std::uint8_t>(now.wSecond), now.wMilliseconds};
}

CalendarDate SystemClock::LocalDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return CalendarDate{now.wYear, static_cast<std::uint8_t>(now.wMonth), static_cast<std::uint8_t>(now.wDay)};
}

std::uint32_t SystemClock::TickMs() { return GetTickCount(); }

void SystemClock::SleepMs(std::uint32_t ms) { Sleep(ms); }

}  // namespace platform::win32
