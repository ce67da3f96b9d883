// Where the program is: the current directory and the running executable, in the
// program's code page ("?" for a character the code page lacks).
#include <limits.h>

#include <string>

#include "platform/files.h"
#include "platform/posix/names.h"
#include "platform/posix/syscalls.h"

namespace platform {

using posix::ProgramNameOf;
using posix::TheSyscalls;

bool PathsHaveDriveLetters() { return false; }

std::string CurrentDirectory() {
    char buffer[PATH_MAX];
    // Without a current directory (it was removed), "./" still names it.
    if (!TheSyscalls().getcwd(buffer, sizeof buffer)) return std::string(".") + kSeparator;
    std::string directory = ProgramNameOf(buffer);
    if (directory.back() != kSeparator) directory += kSeparator;
    return directory;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = TheSyscalls().readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof buffer)) return std::string();
    return ProgramNameOf(std::string_view(buffer, static_cast<std::size_t>(length)));
}

}  // namespace platform
