#pragma once
// Direct access to the screen, past every window: the clock, the hint bar, the
// progress log and the wait window draw at absolute positions (column, row from 1).
#include <cstdint>
#include <string_view>

#include "platform/console.h"
#include "tui/colours.h"

namespace tui {

// A rectangle of cells, columns and rows from 1, edges included.
struct Rect {
    int left = 1;
    int top = 1;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    bool Contains(int column, int row) const {
        return column >= left && column <= right && row >= top && row <= bottom;
    }
    bool operator==(const Rect&) const = default;
};

int ScreenColumns();
int ScreenRows();

// Writes text at a screen position; what falls beyond the right edge is dropped.
void WriteOnScreen(Attribute attribute, int column, int row, std::string_view text);
// Fills a screen rectangle with blanks.
void ClearOnScreen(Attribute attribute, int left, int top, int right, int bottom);
void PlaceCursorOnScreen(int column, int row);
void SetCursorShape(platform::CursorShape shape);

// The one pause of the program: shows what was drawn so far, then waits ms
// milliseconds. Every wait that reads no keys (retries of a busy file, a box that
// closes by itself, the slow log, a tone's length) comes here, so the terminal
// never shows a stale screen while the program waits.
void Delay(std::uint32_t ms);
// The idle pause of the event source: shows what was drawn so far, then waits until
// a key or click arrives or ms milliseconds have passed, whichever comes first, so
// a key is taken as soon as it is typed.
void IdleWait(std::uint32_t ms);

// Work that never waits for input (a conversion filling its log) calls this after
// drawing: it shows what was drawn unless the screen was shown less than
// kProgressIntervalMs ago, so the work stays visible and a fast-scrolling log is
// sent to the terminal some 25 times a second instead of line by line.
inline constexpr std::uint32_t kProgressIntervalMs = 40;
void ShowProgress();

// A drawing put off until the screen is next shown or read (a window saving what
// it covers): the progress log draws its scrolled rows once for all the lines
// written since the screen was last shown. One drawing waits at a time; a second
// one replaces it.
void PutOffDrawing(void (*draw)());
// Runs the drawing put off, if any, and forgets it.
void DrawPending();

// The start-up state of the screen layer: default colours, no window, no hint bar,
// the text device over the whole screen in 0x07, the clock drawn at its next tick.
void InitScreen();

}  // namespace tui
