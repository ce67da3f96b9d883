#include "tui/screen.h"

#include <utility>

#include "platform/clock.h"
#include "tui/desktop.h"

namespace tui {

namespace {

void ShowScreen() {
    DrawPending();
    platform::InstalledConsole().Flush();
    ScreenState& screen = TheScreen();
    screen.shownAt = platform::InstalledClock().TickMs();
    screen.shown = true;
}

}  // namespace

int ScreenColumns() { return platform::InstalledConsole().Columns(); }
int ScreenRows() { return platform::InstalledConsole().Rows(); }

void WriteOnScreen(Attribute attribute, int column, int row, std::string_view text) {
    platform::InstalledConsole().Write(column, row, text, attribute);
}

void ClearOnScreen(Attribute attribute, int left, int top, int right, int bottom) {
    platform::InstalledConsole().Fill(left, top, right, bottom, ' ', attribute);
}

void PlaceCursorOnScreen(int column, int row) { platform::InstalledConsole().SetCursor(column, row); }

void SetCursorShape(platform::CursorShape shape) { platform::InstalledConsole().SetCursorShape(shape); }

void Delay(std::uint32_t ms) {
    ShowScreen();
    platform::InstalledClock().SleepMs(ms);
}

void IdleWait(std::uint32_t ms) {
    ShowScreen();
    platform::InstalledConsole().WaitForInput(ms);
}

void ShowProgress() {
    const ScreenState& screen = TheScreen();
    // Unsigned difference: right across the tick's wrap.
    if (!screen.shown || platform::InstalledClock().TickMs() - screen.shownAt >= kProgressIntervalMs) ShowScreen();
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
