#include "tui/sound.h"

#include "platform/process.h"
#include "platform/sound.h"

namespace tui {

namespace {
bool gSoundOff = false;
constexpr std::uint32_t kToneUnitMs = 48;
}  // namespace

void SoundInit() { gSoundOff = platform::environment("QZSOUND") == "OFF"; }

bool SoundOff() { return gSoundOff; }

void Tone(std::uint16_t length, std::uint16_t frequency) {
    if (gSoundOff) return;
    platform::sound().tone(frequency, length * kToneUnitMs);
}

void Beep() { Tone(6, 500); }

void WarningBeep() {
    if (!gSoundOff) platform::sound().warningBeep();
}

}  // namespace tui
