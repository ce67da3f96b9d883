#pragma once
// The console on a terminal, through ncursesw: the program's 80×25 code page 852
// cells shown as UTF-8 in the terminal's top-left corner, keys and mouse reports
// decoded into the PC's form. Only cells changed since the last flush are sent.
#include <termios.h>

#include <array>
#include <string>

#include "platform/grid_console.h"
#include "platform/posix/key_decoder.h"

namespace platform::posix {

class TerminalConsole : public QueuedInputConsole {
public:
    static constexpr int kColumns = 80;
    static constexpr int kRows = 25;

    TerminalConsole() : QueuedInputConsole(kColumns, kRows) {}
    ~TerminalConsole() override { Stop(); }
    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    // Takes over the terminal of standard input and output: raw keys, the
    // alternate screen, mouse reports, bracketed paste. Waits, with a message, while
    // the terminal is smaller than 80×25. False with the reason (UTF-8) in error when
    // there is no terminal or it cannot be set up.
    bool Start(std::string& error);
    // Gives the terminal back as it was found; nothing when not started.
    void Stop();
    // Cells sent to the terminal since the start.
    int CellsSent() const { return cellsSent_; }

    // --- Console ----------------------------------------------------------------
    void SetTitle(std::string_view title) override;
    void Flush() override;
    void WaitForInput(std::uint32_t ms) override;

private:
    enum class Colours { None, Basic8, Indexed16, Direct };

    // Reads what the terminal has sent and decodes it.
    void Pump() override;
    void HandleResize();
    bool LargeEnough() const;
    void WaitUntilLargeEnough();
    void DrawCell(int column, int row, const Cell& cell);
    // The colour pair of an attribute (allocated on first use) and the extra
    // rendition it needs where the terminal lacks colours.
    int PairFor(std::uint8_t attribute, unsigned& rendition);
    void Send(std::string_view bytes) const;

    bool running_ = false;
    void* screen_ = nullptr;  // ncurses' SCREEN
    termios saved_{};
    KeyDecoder decoder_;
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
