#pragma once
// The demos of qz-tui-demo. Each runs on the started platform and toolkit and
// returns the program's exit code.
#include <string_view>

namespace tuidemo {

// A framed window that writes one line for every event; F10 ends it.
int EchoEvents();
// A dialog with a control of every kind; when it closes, a box sums up the choices.
int ControlsDialog();
// Takes the whole-file lock of an existing file, queueing while another program
// holds it, and holds it until Enter.
int HoldLock(std::string_view fileName);

}  // namespace tuidemo
