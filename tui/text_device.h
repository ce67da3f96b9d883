#pragma once
// The text device: where plain text output goes. It keeps a region of the screen
// (the current window's interior, or a region set by hand), a cursor inside it and a
// current attribute. Text wraps at the region's right edge and scrolls the region at
// its bottom. Bytes below 32 are shown as the console's glyphs, never interpreted:
// only WriteLine ends a line.
#include <string_view>

#include "tui/colours.h"
#include "tui/screen.h"

namespace tui {

struct TextDeviceState {
    Rect region;
    int column = 1;  // cursor, relative to the region
    int row = 1;
};

// The region in screen positions.
Rect TextRegion();
// Sets the region (clipped to the screen) and puts the cursor at its top-left cell.
void SetTextRegion(const Rect& region);

Attribute TextAttribute();
void SetTextAttribute(Attribute attribute);
// Changes only the background half of the current attribute.
void SetTextBackground(std::uint8_t background);

// Moves the cursor to (column, row) of the region; a position outside it is ignored.
void GotoXY(int column, int row);
int WhereX();
int WhereY();

void WriteText(std::string_view text);
void WriteLine(std::string_view text = {});
// Blanks the region in the current attribute; the cursor goes to its top-left cell.
void ClearText();

// Used by the window stack: what a window changes and puts back when it closes.
TextDeviceState SaveTextDevice();
void RestoreTextDevice(const TextDeviceState& state);

}  // namespace tui
