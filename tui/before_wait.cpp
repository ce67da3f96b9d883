#include "tui/before_wait.h"

#include <utility>

#include "tui/desktop.h"

namespace tui {

void SetBeforeWait(std::function<void()> work) { TheDesktop().beforeWait = std::move(work); }

void DoBeforeWait() {
    if (const std::function<void()> work = std::exchange(TheDesktop().beforeWait, nullptr)) work();
}

}  // namespace tui
