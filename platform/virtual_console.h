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
    void pushKey(std::uint16_t code, std::uint8_t shiftState = 0);
    // Each byte of a code page 852 text as a character key (scan code of the PC
    // keyboard for ASCII letters and digits, 0 otherwise).
    void pushText(std::string_view text);
    void pushMouse(std::uint16_t buttons, int column, int row);
    // Runs when the input reaches it (to look at the screen mid-flow).
    void pushAction(std::function<void()> action);
    // A pause in the input: one poll finds nothing waiting. What was pushed before it
    // counts as typed ahead of what comes after (discarding type-ahead stops here,
    // and two clicks on either side of it are two clicks, not a double click).
    void pushIdle();
    bool inputEmpty() const { return input_.empty(); }

    // Called after this many consecutive polls found nothing (about 64 ms each).
    void setDryLimit(int polls) { dryLimit_ = polls; }
    void setOnDry(std::function<void()> handler) { onDry_ = std::move(handler); }

    // --- inspection -------------------------------------------------------------
    const Cell& cell(int column, int row) const { return grid().at(column, row); }
    // One screen row as UTF-8 text (control bytes as console glyphs).
    std::string rowText(int row) const;
    // The whole screen as rows of UTF-8 joined by "\n", trailing blanks removed.
    std::string screenText() const;
    // Code page 852 bytes of a run of cells on one row.
    std::string bytesAt(int column, int row, int length) const;
    bool screenContains(std::string_view utf8) const;
    // The screen as a terminal would show it: the cells as of the last flush, as
    // screenText gives them. allShown: nothing drawn since then is missing from it.
    std::string shownText() const;
    bool allShown() const;
    const std::string& title() const { return title_; }
    int cellsFlushed() const { return cellsFlushed_; }
    void setClipboardAvailable(bool available) { clipboardAvailable_ = available; }

    // --- Console ----------------------------------------------------------------
    void setTitle(std::string_view title) override { title_ = title; }
    void flush() override;
    void waitForInput(std::uint32_t ms) override;
    bool keyWaiting() override;
    std::optional<KeyPress> readKey() override;
    bool mouseWaiting() override;
    std::optional<MouseReport> readMouse() override;
    bool clipboardAvailable() const override { return clipboardAvailable_; }
    bool readClipboard(std::string& text) override;
    bool writeClipboard(std::string_view text) override;

private:
    struct Idle {};
    using Input = std::variant<KeyPress, MouseReport, std::function<void()>, Idle>;
    // Runs pending actions at the head of the queue; counts a dry poll when empty.
    void runActions();
    void noteDryPoll();

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
