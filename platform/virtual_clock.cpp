#include "platform/virtual_clock.h"

namespace platform {

namespace {
constexpr std::uint64_t kDayMs = 24ull * 3600 * 1000;
}

VirtualClock::VirtualClock(std::uint32_t msSinceMidnight) : msOfDay_(msSinceMidnight % kDayMs) {}

TimeOfDay VirtualClock::LocalTime() {
    const std::uint64_t ms = msOfDay_;
    return TimeOfDay{static_cast<std::uint8_t>(ms / 3600000), static_cast<std::uint8_t>(ms / 60000 % 60),
                     static_cast<std::uint8_t>(ms / 1000 % 60), static_cast<std::uint16_t>(ms % 1000)};
}

void VirtualClock::Advance(std::uint32_t ms) {
    msOfDay_ = (msOfDay_ + ms) % kDayMs;
    tick_ += ms;
    slept_ += ms;
}

void VirtualClock::SetTimeOfDay(int hour, int minute, int second, int millisecond) {
    msOfDay_ = ((hour * 60ull + minute) * 60 + second) * 1000 + millisecond;
}

}  // namespace platform
