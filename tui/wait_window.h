#pragma once
// The wait window: a framed box in the middle of the screen with a caption, a bar
// that fills as the work advances, and a step counter. Its caller keeps control while
// it shows; it reads no keys.
#include <cstdint>
#include <memory>
#include <string_view>

#include "tui/window.h"

namespace tui {

struct WaitWindow {
    Window* window = nullptr;
    std::int32_t total = 1;     // at least 1
    std::int32_t position = 0;  // 0 ... total
};

// Opens the window; nullptr when it cannot be opened. An empty caption shows
// "Czekaj ...". A total below 1 counts as 1.
std::unique_ptr<WaitWindow> OpenWaitWindow(std::int32_t total, std::string_view title, std::string_view caption);
// Back to position 0 with the darker track drawn.
void ResetWait(WaitWindow& wait);
// Moves on by steps (not past total) and redraws the bar and the counter.
void AdvanceWait(WaitWindow& wait, std::int32_t steps);
// Puts the screen back and frees the window; an empty handle is ignored.
void CloseWaitWindow(std::unique_ptr<WaitWindow>& wait);

}  // namespace tui
