#pragma once
// The colour file "kolory.qz" in the program's directory: one record of eleven
// attributes in scheme order, no header.
#include <string_view>

#include "tui/colours.h"

namespace tui {

// Reads the colour file of a directory (ending with the separator) into scheme.
// False, scheme untouched, when the file is missing or does not open. When it opens
// but its record cannot be read whole, scheme receives the built-in defaults.
bool ReadColourFile(std::string_view directory, ColourScheme& scheme);
// Makes the colour file of the program's directory the scheme in force; the defaults
// stay when there is none (or when its first four attributes are 0).
void LoadColours(std::string_view programDirectory);

}  // namespace tui
