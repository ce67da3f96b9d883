#pragma once
// The run settings the tax data converters depend on, from one byte of the input.
#include <cstdint>

namespace qzfuzz {

// Bit 0: ask about each person; bit 1: the firm's settings came from 2024.
void ApplyTaxDataSetting(std::uint8_t setting);

}  // namespace qzfuzz
