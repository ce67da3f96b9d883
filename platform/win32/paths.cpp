// Where the program is: the current directory and the running executable, in the
// OEM code page the file functions are set to (code page 852).
#include <string>

#include "platform/files.h"
#include "platform/win32/api.h"
#include "platform/win32/names.h"

namespace platform {

using win32::UseOemFileNames;

bool PathsHaveDriveLetters() { return true; }

std::string CurrentDirectory() {
    UseOemFileNames();
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return std::string(".") + kSeparator;
    std::string directory(buffer, length);
    if (directory.back() != kSeparator) directory += kSeparator;
    return directory;
}

std::string ExecutablePath() {
    UseOemFileNames();
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    // A path that filled the buffer may have been cut short.
    if (length == 0 || length >= sizeof buffer) return std::string();
    return std::string(buffer, length);
}

}  // namespace platform
