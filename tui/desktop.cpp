#include "tui/desktop.h"

namespace tui {

namespace {
// The process has one screen, and the toolkit's state is the state of that screen.
Desktop gDesktop;
}  // namespace

Desktop& TheDesktop() { return gDesktop; }

}  // namespace tui
