#include "platform/posix/terminal_bell.h"

#include <unistd.h>

namespace platform::posix {

namespace {

void Ring() {
    // BEL moves nothing on the screen, so it may go out between screen updates.
    if (isatty(STDOUT_FILENO)) {
        [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, "\a", 1);
    }
}

}  // namespace

void TerminalBell::Tone(std::uint16_t /*frequency*/, std::uint32_t /*durationMs*/) { Ring(); }

void TerminalBell::WarningBeep() { Ring(); }

}  // namespace platform::posix
