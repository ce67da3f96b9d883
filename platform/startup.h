#pragma once
// Start and end of the platform for the real program (tests install virtual
// objects instead): the console on the terminal, the system clock and the sound.

namespace platform {

// Installs this platform's console, clock and sound and takes over the terminal
// (waiting, with a message, while it is smaller than 80×25). From then on the
// terminal is given back on every way out: StopPlatform, ExitProgram, the end of
// main, fatal signals, SIGINT, SIGTERM and SIGHUP. False, with the reason on
// standard error, when there is no usable terminal.
bool StartPlatform();
// Gives the terminal back; safe to call more than once.
void StopPlatform();

}  // namespace platform
