#pragma once
// A screen's cells as text, for tests and checks that compare screens.
#include <string>
#include <vector>

#include "platform/console.h"

namespace platform {

// Rows of columns cells as UTF-8 lines (control bytes as the console's glyphs,
// trailing blanks removed) joined by "\n".
std::string ScreenTextOf(const std::vector<Cell>& cells, int columns);

}  // namespace platform
