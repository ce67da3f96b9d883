#include "fileio/file_mode.h"

#include "platform/files.h"

namespace fileio {

namespace {
std::uint8_t gMode = platform::mode::ReadWrite;
std::uint8_t gSaved = platform::mode::ReadWrite;
}  // namespace

std::uint8_t FileMode() { return gMode; }

void SetFileMode(std::uint8_t mode) {
    gSaved = gMode;
    gMode = mode;
}

void RestoreFileMode() { gMode = gSaved; }

}  // namespace fileio
