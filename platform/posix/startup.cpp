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

// The devices of the process, made at the start and alive until its end: the
// handlers at exit still stop the console.
struct Devices {
    posix::TerminalConsole console;
    posix::SystemClock clock;
    posix::TerminalBell bell;
    bool stopAtExit = false;  // whether stopPlatform is registered to run at exit
};

Devices& devices() {
    static Devices value;
    return value;
}

}  // namespace

bool startPlatform() {
    Devices& made = devices();
    // The end-to-end checks compare the screen at every pause with the terminal's.
    if (const char* pauseScreen = std::getenv("QZ_PAUSE_SCREEN")) posix::SetPauseScreen(pauseScreen);
    installClock(&made.clock);
    installSound(&made.bell);
    std::string error;
    if (!made.console.start(error)) {
        std::fprintf(stderr, "qz23-24: %s\n", error.c_str());
        return false;
    }
    installConsole(&made.console);
    setShutdownHook(stopPlatform);
    if (!made.stopAtExit) made.stopAtExit = std::atexit(stopPlatform) == 0;
    return true;
}

void stopPlatform() { devices().console.stop(); }

}  // namespace platform
