#pragma once
// Sound for tests: remembers what would have sounded.
#include <vector>

#include "platform/sound.h"

namespace platform {

class RecordingSound : public Sound {
public:
    struct Played {
        std::uint16_t frequency;  // 0 for the warning beep
        std::uint32_t durationMs;
        bool operator==(const Played&) const = default;
    };
    void Tone(std::uint16_t frequency, std::uint32_t durationMs) override {
        played.push_back({frequency, durationMs});
    }
    void WarningBeep() override { played.push_back({0, 0}); }

    std::vector<Played> played;
};

}  // namespace platform
