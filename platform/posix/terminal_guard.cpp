#include "platform/posix/terminal_guard.h"

#include <signal.h>
#include <unistd.h>

#include <cstring>

namespace platform::posix::terminal_guard {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

// What the signal handler gives back, so it is a global: only plain arrays and
// flags, set before arming.
struct Guard {
    int fd = -1;
    termios saved{};
    char leave[1024];
    std::size_t leaveLength = 0;
    struct sigaction previous[kSignalCount];
    bool installed[kSignalCount];
    volatile sig_atomic_t armed = 0;
};
Guard gGuard;

void OnSignal(int signal) {
    if (gGuard.armed) {
        gGuard.armed = 0;
        RestoreNow();
    }
    // What the signal did before: the default action or the earlier handler.
    for (int i = 0; i < kSignalCount; ++i)
        if (kSignals[i] == signal && gGuard.installed[i]) sigaction(signal, &gGuard.previous[i], nullptr);
    raise(signal);
}

}  // namespace

void Arm(int fd, const termios& saved, std::string_view leave) {
    gGuard.fd = fd;
    gGuard.saved = saved;
    gGuard.leaveLength = leave.size() < sizeof gGuard.leave ? leave.size() : sizeof gGuard.leave;
    std::memcpy(gGuard.leave, leave.data(), gGuard.leaveLength);
    gGuard.armed = 1;
    for (int i = 0; i < kSignalCount; ++i) {
        struct sigaction previous {};
        sigaction(kSignals[i], nullptr, &previous);
        gGuard.installed[i] = previous.sa_handler != SIG_IGN;
        if (!gGuard.installed[i]) continue;
        gGuard.previous[i] = previous;
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(kSignals[i], &action, nullptr);
    }
}

void Disarm() {
    gGuard.armed = 0;
    for (int i = 0; i < kSignalCount; ++i)
        if (gGuard.installed[i]) sigaction(kSignals[i], &gGuard.previous[i], nullptr);
    std::memset(gGuard.installed, 0, sizeof gGuard.installed);
}

void RestoreNow() {
    if (gGuard.fd < 0) return;
    std::size_t done = 0;
    while (done < gGuard.leaveLength) {
        const ssize_t written = ::write(gGuard.fd, gGuard.leave + done, gGuard.leaveLength - done);
        if (written <= 0) break;
        done += static_cast<std::size_t>(written);
    }
    tcsetattr(gGuard.fd, TCSANOW, &gGuard.saved);
}

}  // namespace platform::posix::terminal_guard
