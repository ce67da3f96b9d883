#include "platform/startup.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/posix/pause_screen.h"
#include "platform/posix/system_clock.h"
#include "platform/posix/terminal_bell.h"
#include "platform/posix/terminal_console.h"
#include "platform/process.h"
#include "platform/sound.h"

namespace platform {

namespace {

posix::TerminalConsole& terminal() {
    static posix::TerminalConsole console;
    return console;
}

}  // namespace

bool startPlatform() {
    static posix::SystemClock systemClock;
    static posix::TerminalBell bell;
    // The end-to-end checks compare the screen at every pause with the terminal's.
    if (const char* pauseScreen = std::getenv("QZ_PAUSE_SCREEN")) posix::SetPauseScreen(pauseScreen);
    installClock(&systemClock);
    installSound(&bell);
    std::string error;
    if (!terminal().start(error)) {
        std::fprintf(stderr, "qz23-24: %s\n", error.c_str());
        return false;
    }
    installConsole(&terminal());
    setShutdownHook(stopPlatform);
    static bool stopAtExit = false;
    if (!stopAtExit) stopAtExit = std::atexit(stopPlatform) == 0;
    return true;
}

void stopPlatform() { terminal().stop(); }

}  // namespace platform
