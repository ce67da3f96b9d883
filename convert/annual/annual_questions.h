#pragma once
// What the annual settings conversion asks and tells the user.
#include <cstdint>
#include <optional>

namespace convert {

// Both years' annual settings are in the firm's 2023 directory: asks B (2023), N
// (2024) or A (2024 for this and every later firm of the run). Once A was answered it
// asks no more (convert/run_state.h). True when the 2024 file is to be the source.
bool ChooseYear2024Settings();

// Asks for the firm's VAT proportion for 2024 until the answer is a whole number
// from 0 to 100, with the warning beep after each other answer. settled2023 is the
// proportion the 2023 file settled, shown in the question; none for a 2024 source.
std::uint16_t AskVatProportion(std::optional<std::uint16_t> settled2023);

// December 2023 was not approved: the closing balance carried may be wrong.
void WarnOfOpenDecember();

}  // namespace convert
