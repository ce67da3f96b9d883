#pragma once
// Tones and the warning sound. On a terminal both are the bell.
#include <cstdint>

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;
    virtual void tone(std::uint16_t frequency, std::uint32_t durationMs) = 0;
    virtual void warningBeep() = 0;
};

Sound& sound();
void installSound(Sound* sound);

}  // namespace platform
