#pragma once
// What the tax data converters depend on, from one byte of the input.
#include <cstdint>

#include "convert/staff/tax_data_converters.h"

namespace qzfuzz {

// Bit 0: ask about each person; bit 1: the firm's settings came from 2024.
convert::TaxDataContext TaxDataSetting(std::uint8_t setting);

}  // namespace qzfuzz
