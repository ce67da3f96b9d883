#pragma once
// Tones and the warning sound. On a terminal both are the bell.
#include <cstdint>

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;
    // Starts the tone and returns at once where the platform plays it on its own
    // (a terminal's bell), or once it has played (the PC speaker). The program's
    // pause for the rest of its length is the toolkit's, which shows the screen first.
    virtual void Tone(std::uint16_t frequency, std::uint32_t durationMs) = 0;
    virtual void WarningBeep() = 0;
};

Sound& InstalledSound();
void InstallSound(Sound* sound);

}  // namespace platform
