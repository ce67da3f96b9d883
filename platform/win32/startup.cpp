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

win32::SystemConsole& systemConsole() {
    static win32::SystemConsole console;
    return console;
}

}  // namespace

bool startPlatform() {
    static win32::SystemClock systemClock;
    static win32::Beeper beeper;
    installClock(&systemClock);
    installSound(&beeper);
    std::string error;
    if (!systemConsole().start(error)) {
        // The console (if any) still speaks its own code page: 852 on the home platform.
        std::fprintf(stderr, "qz23-24: %s\n", cp852::fromUtf8(error).c_str());
        return false;
    }
    installConsole(&systemConsole());
    win32::console_guard::arm(systemConsole());
    setShutdownHook(stopPlatform);
    static bool stopAtExit = false;
    if (!stopAtExit) stopAtExit = std::atexit(stopPlatform) == 0;
    return true;
}

void stopPlatform() {
    win32::console_guard::disarm();
    systemConsole().stop();
}

}  // namespace platform
