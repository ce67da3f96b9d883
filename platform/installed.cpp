// The platform objects the process uses, installed at start-up (or by a test).
#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/sound.h"

namespace platform {

namespace {

// The devices every layer reaches through console(), clock() and sound(): one set
// per process, swapped by a test for its own.
struct Installed {
    Console* console = nullptr;
    Clock* clock = nullptr;
    Sound* sound = nullptr;
};
Installed gInstalled;

template <typename T>
T& required(T* object, const char* what) {
    if (!object) {
        std::fprintf(stderr, "qz23-24: no %s installed\n", what);
        std::abort();
    }
    return *object;
}

}  // namespace

Console& console() { return required(gInstalled.console, "console"); }
void installConsole(Console* console) { gInstalled.console = console; }
Clock& clock() { return required(gInstalled.clock, "clock"); }
void installClock(Clock* clock) { gInstalled.clock = clock; }
Sound& sound() { return required(gInstalled.sound, "sound"); }
void installSound(Sound* sound) { gInstalled.sound = sound; }

}  // namespace platform
