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
    bool stopAtExit = false;  // whether stopPlatform is registered to run at exit
};

Devices& devices() {
    static Devices value;
    return value;
}

}  // namespace

bool startPlatform() {
    Devices& made = devices();
    installClock(&made.clock);
    installSound(&made.beeper);
    std::string error;
    if (!made.console.start(error)) {
        // The console (if any) still speaks its own code page: 852 on the home platform.
        std::fprintf(stderr, "qz23-24: %s\n", cp852::fromUtf8(error).c_str());
        return false;
    }
    installConsole(&made.console);
    win32::console_guard::arm(made.console);
    setShutdownHook(stopPlatform);
    if (!made.stopAtExit) made.stopAtExit = std::atexit(stopPlatform) == 0;
    return true;
}

void stopPlatform() {
    win32::console_guard::disarm();
    devices().console.stop();
}

}  // namespace platform
