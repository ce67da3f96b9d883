#include "platform/win32/console_guard.h"

#include <atomic>
#include <csignal>

namespace platform::win32::console_guard {

namespace {

std::atomic<SystemConsole*> gConsole{nullptr};
LPTOP_LEVEL_EXCEPTION_FILTER gPreviousFilter = nullptr;
void (*gPreviousAbort)(int) = SIG_DFL;

void RestoreNow() {
    if (SystemConsole* console = gConsole.load()) console->Restore();
}

// Runs on a thread of its own; FALSE lets the system end the process.
BOOL WINAPI OnControl(DWORD) {
    RestoreNow();
    return FALSE;
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception) {
    RestoreNow();
    return gPreviousFilter ? gPreviousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

void OnAbort(int signal) {
    RestoreNow();
    std::signal(signal, gPreviousAbort);
    std::raise(signal);
}

}  // namespace

void Arm(SystemConsole& console) {
    if (gConsole.exchange(&console)) return;  // armed already
    SetConsoleCtrlHandler(OnControl, TRUE);
    gPreviousFilter = SetUnhandledExceptionFilter(OnCrash);
    gPreviousAbort = std::signal(SIGABRT, OnAbort);
}

void Disarm() {
    if (!gConsole.exchange(nullptr)) return;
    SetConsoleCtrlHandler(OnControl, FALSE);
    SetUnhandledExceptionFilter(gPreviousFilter);
    std::signal(SIGABRT, gPreviousAbort == SIG_ERR ? SIG_DFL : gPreviousAbort);
}

}  // namespace platform::win32::console_guard
