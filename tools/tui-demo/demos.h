#pragma once
// The demos of qz-tui-demo. Each runs on the started platform and toolkit and
// returns the program's exit code.
namespace tuidemo {

// A framed window that writes one line for every event; F10 ends it.
int EchoEvents();
// A dialog with a control of every kind; when it closes, a box sums up the choices.
int ControlsDialog();

}  // namespace tuidemo
