#include "tui/screen.h"

#include <utility>

#include "platform/clock.h"
#include "tui/desktop.h"

namespace tui {

namespace {

void showScreen() {
    DrawPending();
    platform::console().flush();
    ScreenState& screen = TheScreen();
    screen.shownAt = platform::clock().tickMs();
    screen.shown = true;
}

}  // namespace

int ScreenColumns() { return platform::console().columns(); }
int ScreenRows() { return platform::console().rows(); }

void WriteOnScreen(Attribute attribute, int column, int row, std::string_view text) {
    platform::console().write(column, row, text, attribute);
}

void ClearOnScreen(Attribute attribute, int left, int top, int right, int bottom) {
    platform::console().fill(left, top, right, bottom, ' ', attribute);
}

void PlaceCursorOnScreen(int column, int row) { platform::console().setCursor(column, row); }

void SetCursorShape(platform::CursorShape shape) { platform::console().setCursorShape(shape); }

void Delay(std::uint32_t ms) {
    showScreen();
    platform::clock().sleepMs(ms);
}

void IdleWait(std::uint32_t ms) {
    showScreen();
    platform::console().waitForInput(ms);
}

void ShowProgress() {
    const ScreenState& screen = TheScreen();
    // Unsigned difference: right across the tick's wrap.
    if (!screen.shown || platform::clock().tickMs() - screen.shownAt >= kProgressIntervalMs) showScreen();
}

void PutOffDrawing(void (*draw)()) { TheScreen().pendingDrawing = draw; }

void DrawPending() {
    // Forgotten before it runs: the drawing itself writes to the screen.
    if (void (*const draw)() = std::exchange(TheScreen().pendingDrawing, nullptr)) draw();
}

void InitScreen() {
    ScreenState& screen = TheScreen();
    screen = ScreenState{};
    screen.text.region = Rect{1, 1, ScreenColumns(), ScreenRows()};
}

}  // namespace tui
