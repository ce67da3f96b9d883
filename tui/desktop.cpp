#include "tui/desktop.h"

namespace tui {

namespace {
Desktop gDesktop;
}  // namespace

Desktop& TheDesktop() { return gDesktop; }

}  // namespace tui
