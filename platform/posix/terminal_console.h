#pragma once
// The console on a terminal, through ncursesw: the program's 80×25 code page 852
// cells shown as UTF-8 in the terminal's top-left corner, keys and mouse reports
// decoded into the PC's form. Only cells changed since the last flush are sent.
#include <termios.h>

#include <array>
#include <deque>
#include <string>

#include "platform/cell_grid.h"
#include "platform/console.h"
#include "platform/posix/key_decoder.h"

namespace platform::posix {

class TerminalConsole : public Console {
public:
    static constexpr int kColumns = 80;
    static constexpr int kRows = 25;

    TerminalConsole() = default;
    ~TerminalConsole() override { stop(); }
    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    // Takes over the terminal of standard input and output: raw keys, the
    // alternate screen, mouse reports, bracketed paste. Waits, with a message, while
    // the terminal is smaller than 80×25. False with the reason (UTF-8) in error when
    // there is no terminal or it cannot be set up.
    bool start(std::string& error);
    // Gives the terminal back as it was found; nothing when not started.
    void stop();
    // Cells sent to the terminal since the start.
    int cellsSent() const { return cellsSent_; }

    // --- Console ----------------------------------------------------------------
    int columns() const override { return kColumns; }
    int rows() const override { return kRows; }
    void write(int column, int row, std::string_view text, std::uint8_t attribute) override;
    void readRect(int left, int top, int right, int bottom, std::vector<Cell>& cells) const override;
    void writeRect(int left, int top, int right, int bottom, const std::vector<Cell>& cells) override;
    void fill(int left, int top, int right, int bottom, std::uint8_t character,
              std::uint8_t attribute) override;
    void scrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) override;
    void setCursor(int column, int row) override;
    void setCursorShape(CursorShape shape) override { cursorShape_ = shape; }
    void setTitle(std::string_view title) override;
    void flush() override;
    void waitForInput(std::uint32_t ms) override;
    bool keyWaiting() override;
    std::optional<KeyPress> readKey() override;
    bool mouseWaiting() override;
    std::optional<MouseReport> readMouse() override;

private:
    enum class Colours { None, Basic8, Indexed16, Direct };

    // Reads what the terminal has sent and decodes it.
    void pump();
    void handleResize();
    bool largeEnough() const;
    void waitUntilLargeEnough();
    void drawCell(int column, int row, const Cell& cell);
    // The colour pair of an attribute (allocated on first use) and the extra
    // rendition it needs where the terminal lacks colours.
    int pairFor(std::uint8_t attribute, unsigned& rendition);
    void send(std::string_view bytes) const;

    bool running_ = false;
    void* screen_ = nullptr;  // ncurses' SCREEN
    termios saved_{};
    CellGrid grid_{kColumns, kRows};
    KeyDecoder decoder_;
    std::deque<KeyPress> keys_;
    std::deque<MouseReport> mice_;
    int cursorColumn_ = 1;
    int cursorRow_ = 1;
    CursorShape cursorShape_ = CursorShape::BottomFifth;
    int shownShape_ = -1;  // the shape last sent to the terminal
    bool xtermFamily_ = false;  // the terminal takes xterm's title sequences and key modes
    std::string cursorStyle_;  // terminfo's sequence for the cursor's form (DECSCUSR), if any
    std::string leave_;  // what undoes the modes this console set
    Colours colours_ = Colours::None;
    std::array<int, 256> pairs_{};
    int nextPair_ = 1;
    int cellsSent_ = 0;
};

}  // namespace platform::posix
