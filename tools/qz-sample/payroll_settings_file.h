#pragma once
// Payroll settings nnnn_lp2.cc: 2048-byte records, one per salary component, each
// holding the year and the working days of its months.
#include <string>

#include "tools/qz-sample/record_buffer.h"
#include "tools/qz-sample/sample_random.h"

namespace qzsample {

struct PayrollSettingsRecord {
    static constexpr std::size_t kSize = 2048;
    static constexpr Field kComponent{0, 32};       // 0, 32: salary component; the sample's label
    static constexpr std::size_t kYear = 611;        // 611, 2: year of the settings
    static constexpr std::size_t kWorkingDays = 632;  // 632, 12: working days of each month, January first
};

// The settings of 2023 or of 2024, with that year's working days.
std::string payrollSettingsFile(int year, SampleRandom& random);

}  // namespace qzsample
