#pragma once
// Gives the console back on the ways out that skip the program's own end: Ctrl+Break,
// closing the console window, logging off or shutting down, a crash (an exception
// nobody handled) and abort. Each first restores the console, then lets the process
// end as it would have.
#include "platform/win32/system_console.h"

namespace platform::win32::console_guard {

void Arm(SystemConsole& console);
// Puts the handlers back as they were.
void Disarm();

}  // namespace platform::win32::console_guard
