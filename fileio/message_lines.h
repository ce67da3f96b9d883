#pragma once
// Building the texts of the layer's boxes line by line.
#include <string>
#include <string_view>

#include "tui/message_box.h"

namespace fileio {

// A line that the box centres.
inline std::string Centred(std::string_view line) { return std::string(1, tui::kCentre) + std::string(line); }

}  // namespace fileio
