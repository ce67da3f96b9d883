#pragma once
// Sound on a terminal: the bell, for tones and the warning sound alike.
#include "platform/sound.h"

namespace platform::posix {

class TerminalBell : public Sound {
public:
    // A tone rings the bell and lasts its duration, as a tone of the PC speaker
    // holds the program for its length.
    void tone(std::uint16_t frequency, std::uint32_t durationMs) override;
    void warningBeep() override;
};

}  // namespace platform::posix
