#pragma once
// An in-memory console for tests: a readable cell grid and a scripted input queue.
// When the program polls for input and the queue has run dry for too long, the
// console reports it (by default: prints the screen and aborts), so a test that
// forgot a key fails loudly instead of hanging.
#include <deque>
#include <functional>
#include <string>
#include <variant>

#include "platform/grid_console.h"

namespace platform {

class VirtualConsole : public GridConsole {
public:
    explicit VirtualConsole(int columns = 80, int rows = 25);

    // --- scripting ---------------------------------------------------------------
    void PushKey(std::uint16_t code, std::uint8_t shiftState = 0);
    // Each byte of a code page 852 text as a character key (scan code of the PC
    // keyboard for ASCII letters and digits, 0 otherwise).
    void PushText(std::string_view text);
    void PushMouse(std::uint16_t buttons, int column, int row);
    // Runs when the input reaches it (to look at the screen mid-flow).
    void PushAction(std::function<void()> action);
    // A pause in the input: one poll finds nothing waiting. What was pushed before it
    // counts as typed ahead of what comes after (discarding type-ahead stops here,
    // and two clicks on either side of it are two clicks, not a double click).
    void PushIdle();
    bool InputEmpty() const { return input_.empty(); }

    // Called after this many consecutive polls found nothing (about 64 ms each).
    void SetDryLimit(int polls) { dryLimit_ = polls; }
    void SetOnDry(std::function<void()> handler) { onDry_ = std::move(handler); }

    // --- inspection -------------------------------------------------------------
    const Cell& CellAt(int column, int row) const { return Grid().At(column, row); }
    // One screen row as UTF-8 text (control bytes as console glyphs).
    std::string RowText(int row) const;
    // The whole screen as rows of UTF-8 joined by "\n", trailing blanks removed.
    std::string ScreenText() const;
    // Code page 852 bytes of a run of cells on one row.
    std::string BytesAt(int column, int row, int length) const;
    bool ScreenContains(std::string_view utf8) const;
    // The screen as a terminal would show it: the cells as of the last flush, as
    // ScreenText gives them. AllShown: nothing drawn since then is missing from it.
    std::string ShownText() const;
    bool AllShown() const;
    const std::string& Title() const { return title_; }
    int CellsFlushed() const { return cellsFlushed_; }
    void SetClipboardAvailable(bool available) { clipboardAvailable_ = available; }

    // --- Console ----------------------------------------------------------------
    void SetTitle(std::string_view title) override { title_ = title; }
    void Flush() override;
    void WaitForInput(std::uint32_t ms) override;
    bool KeyWaiting() override;
    std::optional<KeyPress> ReadKey() override;
    bool MouseWaiting() override;
    std::optional<MouseReport> ReadMouse() override;
    bool ClipboardAvailable() const override { return clipboardAvailable_; }
    bool ReadClipboard(std::string& text) override;
    bool WriteClipboard(std::string_view text) override;

private:
    struct Idle {};
    using Input = std::variant<KeyPress, MouseReport, std::function<void()>, Idle>;
    // Runs pending actions at the head of the queue; counts a dry poll when empty.
    void RunActions();
    void NoteDryPoll();

    std::vector<Cell> shown_;  // what the last flush left on the screen, row by row
    std::deque<Input> input_;
    int dryPolls_ = 0;
    int dryLimit_ = 2000;
    std::function<void()> onDry_;
    std::string title_;
    int cellsFlushed_ = 0;
    bool clipboardAvailable_ = false;
    std::string clipboard_;
};

}  // namespace platform
