#pragma once
// Gives the terminal back on every way out of the process. While armed, a fatal
// signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) or a request to end (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT) first writes what undoes the program's terminal modes
// and restores the saved line settings, then lets the signal do what it did before
// (end the process, or the handler that was installed, a sanitizer's report say).
// A signal that was ignored stays ignored.
#include <termios.h>

#include <string_view>

namespace platform::posix::terminal_guard {

// fd: the terminal; saved: its line settings from before the program changed them;
// leave: the bytes that undo the program's modes (keypad, mouse, alternate screen…).
void Arm(int fd, const termios& saved, std::string_view leave);
// Puts the signal handlers back as they were.
void Disarm();
// Writes the leave bytes and restores the line settings. Async-signal-safe.
void RestoreNow();

}  // namespace platform::posix::terminal_guard
