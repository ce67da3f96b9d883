#pragma once
// Sound through the system: tones with Beep, the warning with MessageBeep.
#include "platform/sound.h"

namespace platform::win32 {

class Beeper : public Sound {
public:
    // Holds the program for the tone's length on the installed clock, also where
    // the system returns at once (no beep device, Wine).
    void tone(std::uint16_t frequency, std::uint32_t durationMs) override;
    void warningBeep() override;
};

}  // namespace platform::win32
