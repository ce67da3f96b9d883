#pragma once
// Windows over the screen. Each window saves the cells it covers when it opens and
// puts them back when it closes; windows nest strictly, the most recently opened
// one that is still open being the current window. Writes through WriteAt and the
// text device go into the current window's interior.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console.h"
#include "tui/colours.h"
#include "tui/screen.h"
#include "tui/text_device.h"

namespace tui {

// How a window is drawn: the attributes of its title, its frame and its interior, and
// whether it has a frame at all.
struct WindowStyle {
    Attribute header = 0;
    Attribute frame = 0;
    Attribute interior = 0;
    bool framed = true;
};

struct Window {
    std::string title;
    WindowStyle style;
    Rect outer;        // the whole window, frame included
    Rect inner;        // where text goes: outer inset by one cell when framed
    std::vector<platform::Cell> covered;  // the cells of outer before the window opened
    TextDeviceState textBefore;           // the text device before the window opened
};

// Opens a window over outer (frame included) and makes it current: the frame (when
// framed) with the title centred on its top line, the interior blank. False, with
// nothing drawn and window empty, when the interior is not inside the screen.
bool OpenWindow(const Rect& outer, const WindowStyle& style, std::string_view title, Window*& window);
// Puts back the covered cells and the text device, removes the window from the stack
// (the one below becomes current) and empties the handle. An empty handle is ignored.
void CloseWindow(Window*& window);
// Makes an open window current again (without redrawing it).
bool ActivateWindow(Window* window);
// The current window, or nullptr with no window open.
Window* CurrentWindow();

// Writes text at (column, row) of the current window's interior, cut at the
// interior's edges; with no window open, at that screen position.
void WriteAt(Attribute attribute, int column, int row, std::string_view text);
// The same in the current window's interior attribute (0x07 with no window).
void WriteAtDefault(int column, int row, std::string_view text);
// Writes into a given window's interior, whichever window is current.
void WriteInWindow(const Window& window, Attribute attribute, int column, int row, std::string_view text);
// Puts the console cursor at (column, row) of the current window's interior.
void PlaceCursor(int column, int row);
// Converts a screen position into the current window's interior position.
void ScreenToWindow(int screenColumn, int screenRow, int& column, int& row);

}  // namespace tui
