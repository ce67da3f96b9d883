#include "platform/startup.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "platform/win32/beeper.h"
#include "platform/win32/console_guard.h"
#include "platform/win32/system_clock.h"
#include "platform/win32/system_console.h"

namespace platform {

namespace {

// The devices of the process, made at the start and alive until its end: the
// handlers at exit still stop the console.
struct Devices {
    win32::SystemConsole console;
    win32::SystemClock clock;
    win32::Beeper beeper;
    bool stopAtExit = false;  // whether StopPlatform is registered to run at exit
};

Devices& TheDevices() {
    static Devices value;
    return value;
}

}  // namespace

bool StartPlatform() {
    Devices& made = TheDevices();
    InstallClock(&made.clock);
    InstallSound(&made.beeper);
    std::string error;
    if (!made.console.Start(error)) {
        // The console (if any) still speaks its own code page: 852 on the home platform.
        std::fprintf(stderr, "qz23-24: %s\n", cp852::FromUtf8(error).c_str());
        return false;
    }
    InstallConsole(&made.console);
    win32::console_guard::Arm(made.console);
    SetShutdownHook(StopPlatform);
    if (!made.stopAtExit) made.stopAtExit = std::atexit(StopPlatform) == 0;
    return true;
}

void StopPlatform() {
    win32::console_guard::Disarm();
    TheDevices().console.Stop();
}

}  // namespace platform
