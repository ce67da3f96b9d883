#include "tui/tones.h"

#include "platform/clock.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "tui/desktop.h"
#include "tui/screen.h"

namespace tui {

namespace {
constexpr std::uint32_t kToneUnitMs = 48;
}  // namespace

void SoundInit() { TheDesktop().soundOff = platform::Environment("QZSOUND") == "OFF"; }

bool SoundOff() { return TheDesktop().soundOff; }

void Tone(std::uint16_t length, std::uint16_t frequency) {
    if (SoundOff()) return;
    // The tone holds the program for its length, as the PC speaker does; what the
    // platform has not played out by itself is a pause like any other.
    const std::uint32_t durationMs = length * kToneUnitMs;
    const std::uint32_t start = platform::InstalledClock().TickMs();
    platform::InstalledSound().Tone(frequency, durationMs);
    const std::uint32_t played = platform::InstalledClock().TickMs() - start;
    if (played < durationMs) Delay(durationMs - played);
}

void Beep() { Tone(6, 500); }

void WarningBeep() {
    if (!SoundOff()) platform::InstalledSound().WarningBeep();
}

}  // namespace tui
