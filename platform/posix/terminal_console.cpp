#include "platform/posix/terminal_console.h"

#include <langinfo.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "platform/cp852.h"
#include "platform/posix/pause_screen.h"
#include "platform/posix/system_clock.h"
#include "platform/posix/terminal_guard.h"
#include "platform/process.h"

// ncurses' function-like macros (erase, move, clear …) would clash with C++ names.
#define NCURSES_NOMACROS
#define NCURSES_WIDECHAR 1
#include <curses.h>
#include <termcap.h>

namespace platform::posix {

namespace {

// Set by the resize signal's handler, so a global.
volatile sig_atomic_t gResized = 0;

void OnResize(int) { gResized = 1; }

// xterm's private modes: mouse button reports (1000), with drags (1002), in the
// SGR form (1006); bracketed paste (2004).
constexpr std::string_view kModesOn = "\x1B[?1000h\x1B[?1002h\x1B[?1006h\x1B[?2004h";
constexpr std::string_view kModesOff = "\x1B[?1006l\x1B[?1002l\x1B[?1000l\x1B[?2004l";
// Keys with modifiers told apart from the bytes of other keys (Ctrl+M from Enter,
// Ctrl+I from Tab): xterm's modifyOtherKeys at level 2 (which tmux passes on when
// its extended-keys option is on), and the first level of the kitty keyboard
// protocol, pushed on the terminal's stack of levels and popped at the end. Where
// the terminal knows neither, it ignores both and the keys stay as they were.
constexpr std::string_view kKeysOn = "\x1B[>4;2m\x1B[>1u";
constexpr std::string_view kKeysOff = "\x1B[<u\x1B[>4m";
// xterm's title stack: keep the user's title and give it back at the end.
constexpr std::string_view kTitlePush = "\x1B[22;0t";
constexpr std::string_view kTitlePop = "\x1B[23;0t";

// The PC's colours in the terminal's numbering (ANSI: red before blue) …
constexpr int kAnsiOfPc[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
// … and as the PC shows them, for terminals that take colours as RGB values.
constexpr int kRgbOfPc[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
                              0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};

std::string TerminfoString(const char* name) {
    const char* value = tigetstr(name);
    if (value == nullptr || value == reinterpret_cast<const char*>(-1)) return std::string();
    return value;
}

// Terminals known to take xterm's title sequences and to ignore the private key
// modes they do not know (terminfo seldom says either; the Linux console would
// print the key modes as text).
bool XtermFamily() {
    const char* term = std::getenv("TERM");
    if (!term) return false;
    const std::string_view name = term;
    for (std::string_view family : {"xterm", "rxvt", "screen", "tmux", "alacritty", "foot", "kitty", "st-", "vte",
                                    "gnome", "konsole", "putty", "wezterm", "contour", "iterm"})
        if (name.starts_with(family)) return true;
    return false;
}

std::string UnknownTerminal(const char* term) { return std::string("nieznany typ terminala: ") + term; }

// Looks the terminal up in the terminal database before anything is sent to it or
// read from it: an unknown type, or one that cannot place the cursor (TERM=dumb, as
// in editors' shells and job runners), would leave the user a blank or garbled
// screen while the program runs on unseen.
bool DescribesUsableTerminal(const char* term, std::string& error) {
    if (tgetent(nullptr, term) != 1) {
        error = UnknownTerminal(term);
        return false;
    }
    char buffer[256];
    char* area = buffer;
    if (tgetstr("cm", &area) == nullptr) {  // termcap's cursor motion
        error = std::string("terminal ") + term + " nie umie ustawiać kursora (program potrzebuje pełnego ekranu)";
        return false;
    }
    return true;
}

// UTF-8 for the terminal's line settings: a locale of the user's choice when it
// speaks UTF-8, otherwise C.UTF-8.
void ChooseUtf8Locale() {
    std::setlocale(LC_CTYPE, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace

bool TerminalConsole::Start(std::string& error) {
    if (running_) return true;
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        error = "wejście i wyjście programu muszą być terminalem";
        return false;
    }
    const char* term = std::getenv("TERM");
    if (!term) {
        error = "zmienna TERM nie jest ustawiona";
        return false;
    }
    if (!DescribesUsableTerminal(term, error)) return false;
    ChooseUtf8Locale();
    if (tcgetattr(STDIN_FILENO, &saved_) != 0) {
        error = "nie można odczytać ustawień terminala";
        return false;
    }
    SCREEN* screen = newterm(nullptr, stdout, stdin);
    if (!screen) {
        error = UnknownTerminal(term);
        return false;
    }
    screen_ = screen;
    raw();  // Ctrl+C, Ctrl+Z, Ctrl+S and Ctrl+Q arrive as keys
    noecho();
    nonl();
    intrflush(stdscr, FALSE);
    keypad(stdscr, TRUE);  // the keypad's application mode: keypad + and - are told apart
    // A screen of 80x25 is sent whole: without ncurses' look for typed-ahead keys
    // before every changed row, a refresh costs no poll and no write of its own per row.
    typeahead(-1);
    if (has_colors() && start_color() == OK)
        colours_ = COLORS >= 0x1000000 ? Colours::Direct : COLORS >= 16 ? Colours::Indexed16 : Colours::Basic8;
    pairs_.fill(0);
    nextPair_ = 1;
    xtermFamily_ = XtermFamily();
    cursorStyle_ = TerminfoString("Ss");

    // What undoes this console's modes; ncurses' own end (endwin) follows it in
    // Stop(), and after a signal its parts are sent by the guard.
    std::string ours(kModesOff);
    if (xtermFamily_) ours += kKeysOff;
    if (!cursorStyle_.empty()) ours += TerminfoString("Se").empty() ? "\x1B[0 q" : TerminfoString("Se");
    if (xtermFamily_) ours += kTitlePop;
    leave_ = ours;
    terminal_guard::Arm(STDOUT_FILENO, saved_,
                        ours + TerminfoString("sgr0") + TerminfoString("cnorm") + TerminfoString("rmkx") +
                            TerminfoString("rmcup"));
    struct sigaction resize {};
    resize.sa_handler = OnResize;
    sigemptyset(&resize.sa_mask);
    sigaction(SIGWINCH, &resize, nullptr);
    running_ = true;

    if (xtermFamily_) Send(std::string(kTitlePush) + std::string(kKeysOn));
    Send(kModesOn);
    shownShape_ = -1;
    Grid().MarkAllChanged();
    HandleResize();
    if (!LargeEnough()) WaitUntilLargeEnough();
    return true;
}

void TerminalConsole::Stop() {
    if (!running_) return;
    running_ = false;
    Send(leave_);
    endwin();
    delscreen(static_cast<SCREEN*>(screen_));
    screen_ = nullptr;
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    terminal_guard::Disarm();
    signal(SIGWINCH, SIG_DFL);
}

// --- Cells --------------------------------------------------------------------------

void TerminalConsole::SetTitle(std::string_view title) {
    if (!running_ || !xtermFamily_) return;
    // OSC 2 ends at BEL: a control byte inside the title must not end it early or
    // start a sequence of its own.
    std::string text;
    for (char c : cp852::ToUtf8(title))
        if (static_cast<std::uint8_t>(c) >= 0x20 && c != 0x7F) text += c;
    Send("\x1B]2;" + text + "\a");
}

int TerminalConsole::PairFor(std::uint8_t attribute, unsigned& rendition) {
    int foreground = attribute & 0x0F;
    int background = attribute >> 4;
    rendition = A_NORMAL;
    switch (colours_) {
        case Colours::None:
            // Light on dark shows as is, dark on light in reverse video.
            if (background > foreground) rendition = A_REVERSE;
            else if (foreground >= 8) rendition = A_BOLD;
            return 0;
        case Colours::Basic8:
            // Bright foregrounds in bold; bright backgrounds as their dark partners.
            if (foreground >= 8) rendition = A_BOLD;
            foreground &= 7;
            background &= 7;
            break;
        default: break;
    }
    const int key = background << 4 | foreground;
    if (pairs_[key] == 0 && nextPair_ < COLOR_PAIRS) {
        const bool direct = colours_ == Colours::Direct;
        init_extended_pair(nextPair_, direct ? kRgbOfPc[foreground] : kAnsiOfPc[foreground],
                           direct ? kRgbOfPc[background] : kAnsiOfPc[background]);
        pairs_[key] = nextPair_++;
    }
    return pairs_[key];  // 0 (the terminal's default colours) if the pairs ran out
}

void TerminalConsole::DrawCell(int column, int row, const Cell& cell) {
    unsigned rendition = A_NORMAL;
    int pair = PairFor(cell.attribute, rendition);
    // Bytes below 32 and 127 as the console's glyphs: never a control byte.
    const wchar_t text[2] = {static_cast<wchar_t>(cp852::Glyph(cell.character)), L'\0'};
    cchar_t shown;
    setcchar(&shown, text, rendition, 0, &pair);
    mvwadd_wch(stdscr, row - 1, column - 1, &shown);
}

void TerminalConsole::Flush() {
    if (!running_) return;
    if (gResized) HandleResize();
    if (!LargeEnough()) WaitUntilLargeEnough();
    cellsSent_ += Grid().TakeChanges([this](int column, int row, const Cell& cell) { DrawCell(column, row, cell); });
    wmove(stdscr, CursorRow() - 1, CursorColumn() - 1);
    const int shape = static_cast<int>(CursorShapeShown());
    const bool reshape = shape != shownShape_;
    const bool hidden = CursorShapeShown() == CursorShape::Hidden;
    const bool tall = CursorShapeShown() == CursorShape::BottomHalf;
    // Without a cursor-style sequence, ncurses' normal and very visible cursors.
    if (reshape) curs_set(hidden ? 0 : cursorStyle_.empty() && tall ? 2 : 1);
    shownShape_ = shape;
    wrefresh(stdscr);
    // DECSCUSR: 3 a blinking underline for the insert mode's low cursor, 1 a
    // blinking block for the overwrite mode's tall one.
    if (reshape && !hidden && !cursorStyle_.empty()) Send(tiparm(cursorStyle_.c_str(), tall ? 1 : 3));
}

// --- Size ---------------------------------------------------------------------------

void TerminalConsole::HandleResize() {
    gResized = 0;
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0)
        resizeterm(size.ws_row, size.ws_col);
    werase(stdscr);
    clearok(curscr, TRUE);
    Grid().MarkAllChanged();
}

bool TerminalConsole::LargeEnough() const { return getmaxx(stdscr) >= kColumns && getmaxy(stdscr) >= kRows; }

void TerminalConsole::WaitUntilLargeEnough() {
    while (!LargeEnough()) {
        const std::wstring lines[] = {
            L"Okno terminala ma " + std::to_wstring(getmaxx(stdscr)) + L"×" + std::to_wstring(getmaxy(stdscr)) +
                L" znaków.",
            L"Program potrzebuje co najmniej 80×25.",
            L"Powiększ okno - program czeka.",
        };
        werase(stdscr);
        wattrset(stdscr, A_NORMAL);
        for (int row = 0; row < 3 && row < getmaxy(stdscr); ++row)
            mvwaddnwstr(stdscr, row, 0, lines[row].c_str(), getmaxx(stdscr));
        wrefresh(stdscr);
        poll(nullptr, 0, 100);  // the resize signal cuts the pause short
        if (gResized) HandleResize();
    }
    shownShape_ = -1;
}

// --- Input --------------------------------------------------------------------------

void TerminalConsole::Pump() {
    if (!running_) return;
    char buffer[4096];
    for (;;) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, 0) <= 0) break;
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got > 0) {
            decoder_.Add(std::string_view(buffer, static_cast<std::size_t>(got)), SteadyTickMs());
            continue;
        }
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) break;
        // The terminal is gone (end of input, or EIO after a hang-up): end as a
        // hang-up does; where that signal is ignored, end here.
        raise(SIGHUP);
        ExitProgram(255);
    }
    decoder_.Elapse(SteadyTickMs());
    while (decoder_.HasEvent()) {
        const InputEvent event = decoder_.TakeEvent();
        if (const auto* key = std::get_if<KeyPress>(&event))
            QueueKey(*key);
        else
            QueueMouse(std::get<MouseReport>(event));
    }
}

void TerminalConsole::WaitForInput(std::uint32_t ms) {
    WritePauseScreen();
    if (InputQueued()) return;
    // Bytes of an unfinished sequence become keys when the Esc time runs out (a lone
    // Esc): the wait ends then rather than holding the key for the whole pause.
    // Keys are read from the descriptor, never through ncurses, so the decoder
    // holds the only bytes read and not yet delivered.
    const std::uint32_t timeout = std::min(ms, decoder_.MsUntilTimeout(SteadyTickMs()));
    // Not started: nothing to read (poll skips a negative descriptor), only the pause.
    // The resize signal ends the wait early; the next flush redraws.
    pollfd input{running_ ? STDIN_FILENO : -1, POLLIN, 0};
    poll(&input, 1, static_cast<int>(timeout));
}

void TerminalConsole::Send(std::string_view bytes) const {
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace platform::posix
