#pragma once
// The process-wide default file-open mode: the mode byte (access | sharing, the
// values of platform::mode) with which the program opens a plain record file that
// does not go through SharedFile. A caller that needs another mode for one open sets
// it and puts the old one back right after; one saved value, not a stack.
#include <cstdint>

namespace fileio {

// The mode in force; read/write (2) until someone sets another.
std::uint8_t FileMode();
// Saves the mode in force in the one saved place, then sets mode.
void SetFileMode(std::uint8_t mode);
// Sets the mode back from the saved place (read/write, 2, when nothing was saved).
void RestoreFileMode();

}  // namespace fileio
