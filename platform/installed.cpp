// The platform objects the process uses, installed at start-up (or by a test).
#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/console.h"
#include "platform/sound.h"

namespace platform {

namespace {

Console* gConsole = nullptr;
Clock* gClock = nullptr;
Sound* gSound = nullptr;

template <typename T>
T& required(T* object, const char* what) {
    if (!object) {
        std::fprintf(stderr, "qz23-24: no %s installed\n", what);
        std::abort();
    }
    return *object;
}

}  // namespace

Console& console() { return required(gConsole, "console"); }
void installConsole(Console* console) { gConsole = console; }
Clock& clock() { return required(gClock, "clock"); }
void installClock(Clock* clock) { gClock = clock; }
Sound& sound() { return required(gSound, "sound"); }
void installSound(Sound* sound) { gSound = sound; }

}  // namespace platform
