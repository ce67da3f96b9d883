#include "platform/posix/terminal_guard.h"

#include <signal.h>
#include <unistd.h>

#include <cstring>

namespace platform::posix::terminal_guard {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

// Only what a signal handler may touch: plain arrays and flags set before arming.
int gFd = -1;
termios gSaved{};
char gLeave[1024];
std::size_t gLeaveLength = 0;
struct sigaction gPrevious[kSignalCount];
bool gInstalled[kSignalCount];
volatile sig_atomic_t gArmed = 0;

void onSignal(int signal) {
    if (gArmed) {
        gArmed = 0;
        restoreNow();
    }
    // What the signal did before: the default action or the earlier handler.
    for (int i = 0; i < kSignalCount; ++i)
        if (kSignals[i] == signal && gInstalled[i]) sigaction(signal, &gPrevious[i], nullptr);
    raise(signal);
}

}  // namespace

void arm(int fd, const termios& saved, std::string_view leave) {
    gFd = fd;
    gSaved = saved;
    gLeaveLength = leave.size() < sizeof gLeave ? leave.size() : sizeof gLeave;
    std::memcpy(gLeave, leave.data(), gLeaveLength);
    gArmed = 1;
    for (int i = 0; i < kSignalCount; ++i) {
        struct sigaction previous {};
        sigaction(kSignals[i], nullptr, &previous);
        gInstalled[i] = previous.sa_handler != SIG_IGN;
        if (!gInstalled[i]) continue;
        gPrevious[i] = previous;
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        sigaction(kSignals[i], &action, nullptr);
    }
}

void disarm() {
    gArmed = 0;
    for (int i = 0; i < kSignalCount; ++i)
        if (gInstalled[i]) sigaction(kSignals[i], &gPrevious[i], nullptr);
    std::memset(gInstalled, 0, sizeof gInstalled);
}

void restoreNow() {
    if (gFd < 0) return;
    std::size_t done = 0;
    while (done < gLeaveLength) {
        const ssize_t written = ::write(gFd, gLeave + done, gLeaveLength - done);
        if (written <= 0) break;
        done += static_cast<std::size_t>(written);
    }
    tcsetattr(gFd, TCSANOW, &gSaved);
}

}  // namespace platform::posix::terminal_guard
