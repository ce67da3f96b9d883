#include "platform/win32/console_guard.h"

#include <atomic>
#include <csignal>

namespace platform::win32::console_guard {

namespace {

std::atomic<SystemConsole*> gConsole{nullptr};
LPTOP_LEVEL_EXCEPTION_FILTER gPreviousFilter = nullptr;
void (*gPreviousAbort)(int) = SIG_DFL;

void restoreNow() {
    if (SystemConsole* console = gConsole.load()) console->restore();
}

// Runs on a thread of its own; FALSE lets the system end the process.
BOOL WINAPI onControl(DWORD) {
    restoreNow();
    return FALSE;
}

LONG WINAPI onCrash(EXCEPTION_POINTERS* exception) {
    restoreNow();
    return gPreviousFilter ? gPreviousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

void onAbort(int signal) {
    restoreNow();
    std::signal(signal, gPreviousAbort);
    std::raise(signal);
}

}  // namespace

void arm(SystemConsole& console) {
    if (gConsole.exchange(&console)) return;  // armed already
    SetConsoleCtrlHandler(onControl, TRUE);
    gPreviousFilter = SetUnhandledExceptionFilter(onCrash);
    gPreviousAbort = std::signal(SIGABRT, onAbort);
}

void disarm() {
    if (!gConsole.exchange(nullptr)) return;
    SetConsoleCtrlHandler(onControl, FALSE);
    SetUnhandledExceptionFilter(gPreviousFilter);
    std::signal(SIGABRT, gPreviousAbort == SIG_ERR ? SIG_DFL : gPreviousAbort);
}

}  // namespace platform::win32::console_guard
