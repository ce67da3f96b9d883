#include "tui/screen.h"

#include <utility>

#include "platform/clock.h"
#include "tui/clock_tick.h"
#include "tui/event.h"
#include "tui/hint_bar.h"
#include "tui/text_device.h"
#include "tui/window.h"

namespace tui {

namespace {

// When the screen was last shown; none yet after InitScreen.
std::uint32_t gShownAt = 0;
bool gShown = false;
void (*gPending)() = nullptr;

void showScreen() {
    DrawPending();
    platform::console().flush();
    gShownAt = platform::clock().tickMs();
    gShown = true;
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
    // Unsigned difference: right across the tick's wrap.
    if (!gShown || platform::clock().tickMs() - gShownAt >= kProgressIntervalMs) showScreen();
}

void PutOffDrawing(void (*draw)()) { gPending = draw; }

void DrawPending() {
    // Forgotten before it runs: the drawing itself writes to the screen.
    if (void (*const draw)() = std::exchange(gPending, nullptr)) draw();
}

void InitScreen() {
    RestoreColours(kDefaultColours);
    CopyControlColours();
    SetClockAttribute(0x0F);
    DiscardWindows();
    DiscardHintBars();
    ResetTextDevice();
    InvalidateClock();
    ResetLastEvent();
    gShown = false;
    gPending = nullptr;
}

}  // namespace tui
