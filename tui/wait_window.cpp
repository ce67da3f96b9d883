#include "tui/wait_window.h"

#include <algorithm>
#include <string>

#include "platform/cp852.h"

namespace tui {

using namespace platform::literals;

namespace {

// The interior: 37 columns by 6 rows from screen column 20, row 9.
constexpr int kLeft = 20;
constexpr int kTop = 9;
constexpr int kWidth = 37;
constexpr int kHeight = 6;
constexpr int kCaptionWidth = 32;
constexpr int kBarLength = 35;
constexpr int kCounterWidth = 8;
constexpr Attribute kCounterAttribute = 0x4F;
constexpr char kLightTrack = '\xB0';  // ░
constexpr char kDarkTrack = '\xB1';   // ▒
constexpr char kBarFull = '\xDB';     // █

void DrawTrack(const WaitWindow& wait, char track) {
    WriteInWindow(*wait.window, Colour(colSelection), 2, 4, std::string(kBarLength, track));
}

}  // namespace

std::unique_ptr<WaitWindow> OpenWaitWindow(std::int32_t total, std::string_view title, std::string_view caption) {
    auto wait = std::make_unique<WaitWindow>();
    wait->total = std::max<std::int32_t>(total, 1);
    // The title shows in the selection colour, like the whole interior.
    const WindowStyle style{Colour(colSelection), Colour(colDialogFrame), Colour(colNormal)};
    if (!OpenWindow(Rect{kLeft - 1, kTop - 1, kLeft + kWidth, kTop + kHeight}, style, title, wait->window))
        return nullptr;
    const Rect& inner = wait->window->inner;
    ClearOnScreen(Colour(colSelection), inner.left, inner.top, inner.right, inner.bottom);
    std::string text(caption.empty() ? "Czekaj ..."_cp : caption);
    text.resize(kCaptionWidth, ' ');
    WriteInWindow(*wait->window, Colour(colSelection), 4, 2, text);
    DrawTrack(*wait, kLightTrack);
    return wait;
}

void ResetWait(WaitWindow& wait) {
    wait.position = 0;
    DrawTrack(wait, kDarkTrack);
}

void AdvanceWait(WaitWindow& wait, std::int32_t steps) {
    const std::int64_t moved = std::int64_t{wait.position} + steps;
    wait.position = static_cast<std::int32_t>(std::clamp<std::int64_t>(moved, 0, wait.total));
    const auto filled = static_cast<std::size_t>(std::int64_t{wait.position} * kBarLength / wait.total);
    WriteInWindow(*wait.window, Colour(colSelection), 2, 4, std::string(filled, kBarFull));
    std::string counter = std::to_string(wait.position);
    counter.resize(kCounterWidth, ' ');
    WriteInWindow(*wait.window, kCounterAttribute, 2, 6, counter);
}

void CloseWaitWindow(std::unique_ptr<WaitWindow>& wait) {
    if (!wait) return;
    CloseWindow(wait->window);
    wait.reset();
}

}  // namespace tui
