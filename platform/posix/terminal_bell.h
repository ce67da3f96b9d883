#pragma once
// Sound on a terminal: the bell, for tones and the warning sound alike.
#include "platform/sound.h"

namespace platform::posix {

class TerminalBell : public Sound {
public:
    // A tone rings the bell and returns at once.
    void Tone(std::uint16_t frequency, std::uint32_t durationMs) override;
    void WarningBeep() override;
};

}  // namespace platform::posix
