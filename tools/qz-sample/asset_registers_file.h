#pragma once
// The fixed-assets add-on's list of registers, stbazy.rek: 367-byte records, one per
// register; each register other than the main one ("SRODKI") is its own file NAME.REK.
#include <string>
#include <string_view>
#include <vector>

#include "tools/qz-sample/record_buffer.h"

namespace qzsample {

inline constexpr const char* kAssetRegistersFileName = "stbazy.rek";

struct AssetRegisterRecord {
    static constexpr std::size_t kSize = 367;
    static constexpr Field kTitle{0, 51};     // 0, 51: the register's title; the sample's label
    static constexpr Field kName{51, 9};      // 51, 9: register name, the file name without ".REK"
};

struct AssetRegister {
    std::string name;   // ASCII
    std::string title;  // code page 852
};

std::string assetRegistersFile(const std::vector<AssetRegister>& registers);

}  // namespace qzsample
