#pragma once
// For the end-to-end checks: the console's cells as they stand when the program
// pauses, written to a file, so that a check can compare them with what the
// terminal shows meanwhile. A pause that did not show the screen first leaves the
// two apart.
#include <string>

namespace platform::posix {

// The file every pause (the clock's sleep, the console's wait for input) writes
// to; none (empty, as at the start): nothing is written.
void SetPauseScreen(std::string path);
// Writes the cells of the installed console to that file (replacing it at once) as
// rows of UTF-8, control bytes as the console's glyphs, trailing blanks removed.
void WritePauseScreen();

}  // namespace platform::posix
