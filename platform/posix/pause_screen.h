#pragma once
// For the end-to-end checks: the console's cells as they stand when the program
// pauses, written to a file, so that a check can compare them with what the
// terminal shows meanwhile. A pause that did not show the screen first leaves the
// two apart.
#include <string>

namespace platform::posix {

// Writes the cells of the installed console to path (replacing the file at once) as
// rows of UTF-8, control bytes as the console's glyphs, trailing blanks removed.
void WritePauseScreen(const std::string& path);

}  // namespace platform::posix
