#pragma once
// The firm marker _qz_kpr.rek: one record of 256 bytes that tells the bookkeeping
// program which year a firm directory belongs to.
#include <string>

#include "tools/qz-sample/record_buffer.h"

namespace qzsample {

inline constexpr const char* kFirmMarkerFileName = "_qz_kpr.rek";

struct FirmMarkerRecord {
    static constexpr std::size_t kSize = 256;
    static constexpr std::size_t kYear1 = 0;        // 0, 2: year of the data
    static constexpr std::size_t kYear2 = 2;        // 2, 2: year of the data
    static constexpr std::size_t kYear3 = 4;        // 4, 2: year of the data
    static constexpr std::size_t kConverted = 7;    // 7, 1: 1 in a directory made by the converter
    static constexpr Field kProgram{8, 32};         // 8, 32: the writing program's name; the converter
                                                    // carries every byte it does not set
};

std::string firmMarkerFile();

}  // namespace qzsample
