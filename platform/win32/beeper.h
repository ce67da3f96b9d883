#pragma once
// Sound through the system: tones with Beep, the warning with MessageBeep.
#include "platform/sound.h"

namespace platform::win32 {

class Beeper : public Sound {
public:
    // Beep plays the tone out before it returns (or returns at once where there is
    // no beep device, as under Wine).
    void Tone(std::uint16_t frequency, std::uint32_t durationMs) override;
    void WarningBeep() override;
};

}  // namespace platform::win32
