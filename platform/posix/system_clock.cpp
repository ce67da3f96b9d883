#include "platform/posix/system_clock.h"

#include <time.h>

#include <cerrno>

#include "platform/posix/pause_screen.h"

namespace platform::posix {

std::uint32_t SteadyTickMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000);
}

TimeOfDay SystemClock::LocalTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return TimeOfDay{static_cast<std::uint8_t>(local.tm_hour), static_cast<std::uint8_t>(local.tm_min),
                     // a leap second shows as :59, the clock's last second of the minute
                     static_cast<std::uint8_t>(local.tm_sec > 59 ? 59 : local.tm_sec),
                     static_cast<std::uint16_t>(now.tv_nsec / 1000000)};
}

CalendarDate SystemClock::LocalDate() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return CalendarDate{static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint8_t>(local.tm_mon + 1),
                        static_cast<std::uint8_t>(local.tm_mday)};
}

std::uint32_t SystemClock::TickMs() { return SteadyTickMs(); }

void SystemClock::SleepMs(std::uint32_t ms) {
    WritePauseScreen();
    timespec rest{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
    // A signal (a resized terminal) cuts the pause short; the rest is slept.
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

}  // namespace platform::posix
