// The platform objects the process uses, installed at start-up (or by a test).
#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/sound.h"

namespace platform {

namespace {

// The devices every layer reaches through InstalledConsole(), InstalledClock() and InstalledSound(): one set
// per process, swapped by a test for its own.
struct Installed {
    Console* console = nullptr;
    Clock* clock = nullptr;
    Sound* sound = nullptr;
};
Installed gInstalled;

template <typename T>
T& Required(T* object, const char* what) {
    if (!object) {
        std::fprintf(stderr, "qz23-24: no %s installed\n", what);
        std::abort();
    }
    return *object;
}

}  // namespace

Console& InstalledConsole() { return Required(gInstalled.console, "console"); }
void InstallConsole(Console* console) { gInstalled.console = console; }
Clock& InstalledClock() { return Required(gInstalled.clock, "clock"); }
void InstallClock(Clock* clock) { gInstalled.clock = clock; }
Sound& InstalledSound() { return Required(gInstalled.sound, "sound"); }
void InstallSound(Sound* sound) { gInstalled.sound = sound; }

}  // namespace platform
