#pragma once
// Short tones for feedback; QZSOUND=OFF in the environment silences them all.
#include <cstdint>

namespace tui {

// Reads the switch: sound is off when QZSOUND is exactly "OFF".
void SoundInit();
bool SoundOff();

// Plays frequency (Hz) for length units of 48 ms, holding the program as long,
// unless sound is off.
void Tone(std::uint16_t length, std::uint16_t frequency);
// 500 Hz for 288 ms.
void Beep();
// The platform's standard warning sound, unless sound is off: a refused answer.
void WarningBeep();

}  // namespace tui
