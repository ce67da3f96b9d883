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
    bool stopAtExit = false;  // whether StopPlatform is registered to run at exit
};

Devices& TheDevices() {
    static Devices value;
    return value;
}

}  // namespace

bool StartPlatform() {
    Devices& made = TheDevices();
    // The end-to-end checks compare the screen at every pause with the terminal's.
    if (const char* pauseScreen = std::getenv("QZ_PAUSE_SCREEN")) posix::SetPauseScreen(pauseScreen);
    InstallClock(&made.clock);
    InstallSound(&made.bell);
    std::string error;
    if (!made.console.Start(error)) {
        std::fprintf(stderr, "qz23-24: %s\n", error.c_str());
        return false;
    }
    InstallConsole(&made.console);
    SetShutdownHook(StopPlatform);
    if (!made.stopAtExit) made.stopAtExit = std::atexit(StopPlatform) == 0;
    return true;
}

void StopPlatform() { TheDevices().console.Stop(); }

}  // namespace platform
