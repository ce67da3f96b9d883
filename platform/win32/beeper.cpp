#include "platform/win32/beeper.h"

#include "platform/win32/api.h"
#include "platform/win32/user32.h"

namespace platform::win32 {

namespace {

// The frequencies Beep takes.
constexpr std::uint16_t kLowest = 37;
constexpr std::uint16_t kHighest = 32767;
// The warning as a tone, where the window system's sounds are missing.
constexpr DWORD kWarningFrequency = 800;
constexpr DWORD kWarningMs = 200;

}  // namespace

void Beeper::Tone(std::uint16_t frequency, std::uint32_t durationMs) {
    if (frequency >= kLowest && frequency <= kHighest) Beep(frequency, durationMs);
}

void Beeper::WarningBeep() {
    if (const auto messageBeep = TheUser32().messageBeep) {
        messageBeep(MB_ICONEXCLAMATION);
    } else {
        Beep(kWarningFrequency, kWarningMs);
    }
}

}  // namespace platform::win32
