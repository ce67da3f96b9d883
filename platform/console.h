#pragma once
// The text console as the toolkit sees it: a grid of code page 852 cells with
// attributes, addressed by column and row from 1, plus key and mouse input in the
// PC scan-code form. Implementations: the terminal (ncursesw), the Win32 console and
// an in-memory virtual console for tests. Nothing above this layer knows which.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct Cell {
    std::uint8_t character = ' ';  // code page 852
    std::uint8_t attribute = 0x07;  // bits 0-3 foreground, 4-7 background
    bool operator==(const Cell&) const = default;
};

enum class CursorShape : std::uint8_t {
    Hidden,
    BottomFifth,  // insert mode of the line editor
    BottomHalf,   // overwrite mode
};

// A key press: code = scan code << 8 | character (0 for keys without one), and the
// shift state in the PC keyboard-flag layout (bit 0 right Shift, 1 left Shift,
// 2 Ctrl, 3 Alt, 4 Scroll Lock, 5 Num Lock, 6 Caps Lock).
struct KeyPress {
    std::uint16_t code = 0;
    std::uint8_t shiftState = 0;
};

// A mouse report: buttons held (1 left, 2 right, 0 none) and the cell under the pointer.
struct MouseReport {
    std::uint16_t buttons = 0;
    int column = 1;
    int row = 1;
};

class Console {
public:
    virtual ~Console() = default;

    virtual int Columns() const = 0;
    virtual int Rows() const = 0;

    // Writes a run of characters with one attribute from (column, row); whatever
    // would fall beyond the right edge or outside the screen is dropped.
    virtual void Write(int column, int row, std::string_view text, std::uint8_t attribute) = 0;
    // Copies the rectangle (left, top)-(right, bottom) row by row into cells.
    virtual void ReadRect(int left, int top, int right, int bottom, std::vector<Cell>& cells) const = 0;
    // Puts back a rectangle read by ReadRect.
    virtual void WriteRect(int left, int top, int right, int bottom, const std::vector<Cell>& cells) = 0;
    virtual void Fill(int left, int top, int right, int bottom, std::uint8_t character,
                      std::uint8_t attribute) = 0;
    // Moves the rectangle's rows up by lines; the rows uncovered at the bottom are
    // blanked in attribute.
    virtual void ScrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) = 0;

    virtual void SetCursor(int column, int row) = 0;
    virtual void SetCursorShape(CursorShape shape) = 0;
    virtual void SetTitle(std::string_view title) = 0;

    // Shows on the device what changed since the last flush. Called by the input
    // poll before it waits, so drawing is batched between waits.
    virtual void Flush() = 0;

    // Waits until a key or a mouse report arrives or ms milliseconds have passed,
    // whichever comes first; returns at once when input is already waiting. What
    // arrived is read by the calls below. A signal may end the wait early.
    virtual void WaitForInput(std::uint32_t ms) = 0;

    // Non-blocking input.
    virtual bool KeyWaiting() = 0;
    virtual std::optional<KeyPress> ReadKey() = 0;
    virtual bool MouseWaiting() = 0;
    virtual std::optional<MouseReport> ReadMouse() = 0;

    // The platform's text clipboard, code page 852; false where there is none.
    virtual bool ClipboardAvailable() const { return false; }
    virtual bool ReadClipboard(std::string& /*text*/) { return false; }
    virtual bool WriteClipboard(std::string_view /*text*/) { return false; }
};

// The console of the process. The lifetime of the installed console must exceed
// every use; tests install a virtual console per test.
Console& InstalledConsole();
void InstallConsole(Console* console);

}  // namespace platform
