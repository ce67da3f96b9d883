#pragma once
// Record layouts of the firm files that the driver itself reads or changes: the firm
// marker _qz_kpr.rek, the payroll settings nnnn_lp2.cc and the fixed-assets add-on's
// list of registers stbazy.rek. Offsets and widths in bytes.
#include <array>
#include <cstddef>
#include <cstdint>

#include "product/records/record_fields.h"

namespace product {

struct FirmYearsRecord {
    static constexpr std::size_t kSize = 256;
    static constexpr std::size_t kYear1 = 0;        // 0, 2: year of the data
    static constexpr std::size_t kYear2 = 2;        // 2, 2: year of the data
    static constexpr std::size_t kYear3 = 4;        // 4, 2: year of the data
    static constexpr std::size_t kConverted = 7;    // 7, 1: 1 in a directory made by the converter
                                                    // every other byte is carried
};

struct PayrollSettingsRecord {
    static constexpr std::size_t kSize = 2048;
    static constexpr std::size_t kYear = 611;          // 611, 2: year of the settings
    static constexpr std::size_t kWorkingDays = 632;   // 632, 12: working days of each month, January first

    static constexpr std::array<std::uint8_t, 12> kWorkingDays2024{21, 21, 21, 21, 20, 20,
                                                                   23, 21, 21, 23, 19, 20};
};

struct AssetRegisterRecord {
    static constexpr std::size_t kSize = 367;
    // 51: register name, the file name without ".REK"; a short text, read no
    // further than its length byte can count.
    static constexpr TextField kName{51, 256};
};

}  // namespace product
