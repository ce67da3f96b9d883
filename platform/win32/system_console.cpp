#include "platform/win32/system_console.h"

#include <algorithm>
#include <iterator>

#include "platform/cp852.h"
#include "platform/win32/clipboard.h"
#include "platform/win32_input.h"

namespace platform::win32 {

namespace {

constexpr UINT kCodePage = 852;
constexpr int kCells = SystemConsole::kColumns * SystemConsole::kRows;
constexpr COORD kScreenSize{SystemConsole::kColumns, SystemConsole::kRows};
// The cursor's height in percent of a cell: the low one of the insert mode, the
// tall one of the overwrite mode.
constexpr DWORD kLowCursor = 20;
constexpr DWORD kTallCursor = 50;
// Input records read at once.
constexpr DWORD kRecordBatch = 64;
// A held key repeats at most this often in one record (a console that lagged).
constexpr WORD kMostRepeats = 16;

HANDLE OpenConsole(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

int WidthOf(const SMALL_RECT& window) { return window.Right - window.Left + 1; }
int HeightOf(const SMALL_RECT& window) { return window.Bottom - window.Top + 1; }

SHORT ShortOf(int value) { return static_cast<SHORT>(value); }

}  // namespace

bool SystemConsole::Start(std::string& error) {
    if (running_) return true;
    input_ = OpenConsole("CONIN$");
    output_ = OpenConsole("CONOUT$");
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (input_ == INVALID_HANDLE_VALUE || output_ == INVALID_HANDLE_VALUE ||
        !GetConsoleMode(input_, &savedInputMode_) || !GetConsoleScreenBufferInfo(output_, &info)) {
        CloseHandles();
        error = "program musi działać w oknie konsoli";
        return false;
    }
    savedInputCodePage_ = GetConsoleCP();
    savedOutputCodePage_ = GetConsoleOutputCP();
    if (!GetConsoleCursorInfo(output_, &savedCursor_)) savedCursor_ = CONSOLE_CURSOR_INFO{25, TRUE};
    savedCursorPosition_ = info.dwCursorPosition;
    wchar_t title[1024];
    savedTitle_.assign(title, GetConsoleTitleW(title, static_cast<DWORD>(std::size(title))));
    if (!PlaceScreen(error)) {
        CloseHandles();
        return false;
    }
    savedCells_.resize(kCells);
    SMALL_RECT area{origin_.X, origin_.Y, ShortOf(origin_.X + kColumns - 1), ShortOf(origin_.Y + kRows - 1)};
    cellsSaved_ = ReadConsoleOutputW(output_, savedCells_.data(), kScreenSize, COORD{0, 0}, &area);

    // Raw keys: no line editing, no echo, Ctrl+C a key like any other; mouse
    // reports, and no selecting with the mouse (quick edit) that would swallow them.
    const bool set = SetConsoleCP(kCodePage) && SetConsoleOutputCP(kCodePage) &&
                     SetConsoleMode(input_, ENABLE_MOUSE_INPUT | ENABLE_WINDOW_INPUT | ENABLE_EXTENDED_FLAGS);
    running_ = true;
    if (!set) {
        error = "nie można ustawić konsoli (strona kodowa 852, tryb klawiatury)";
        Stop();
        return false;
    }
    shown_.assign(kCells, CHAR_INFO{});
    Grid().MarkAllChanged();
    shownShape_ = -1;
    shownCursor_ = COORD{-1, -1};
    return true;
}

bool SystemConsole::PlaceScreen(std::string& error) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(output_, &info)) {
        error = "nie można odczytać rozmiaru okna konsoli";
        return false;
    }
    if (WidthOf(info.srWindow) < kColumns || HeightOf(info.srWindow) < kRows) {
        // A buffer large enough first, then the window over it.
        const COORD size{std::max<SHORT>(info.dwSize.X, kColumns),
                         std::max<SHORT>(info.dwSize.Y, ShortOf(info.srWindow.Top + kRows))};
        SetConsoleScreenBufferSize(output_, size);
        const SHORT left = std::min<SHORT>(info.srWindow.Left, ShortOf(size.X - kColumns));
        const SHORT top = std::min<SHORT>(info.srWindow.Top, ShortOf(size.Y - kRows));
        const SMALL_RECT window{left, top, std::max<SHORT>(info.srWindow.Right, ShortOf(left + kColumns - 1)),
                                std::max<SHORT>(info.srWindow.Bottom, ShortOf(top + kRows - 1))};
        SetConsoleWindowInfo(output_, TRUE, &window);
        GetConsoleScreenBufferInfo(output_, &info);
    }
    if (WidthOf(info.srWindow) < kColumns || HeightOf(info.srWindow) < kRows) {
        error = "okno konsoli ma " + std::to_string(WidthOf(info.srWindow)) + "×" +
                std::to_string(HeightOf(info.srWindow)) + " znaków, program potrzebuje co najmniej 80×25";
        return false;
    }
    origin_ = COORD{info.srWindow.Left, info.srWindow.Top};
    return true;
}

void SystemConsole::Restore() {
    if (!running_.exchange(false)) return;
    if (cellsSaved_) {
        SMALL_RECT area{origin_.X, origin_.Y, ShortOf(origin_.X + kColumns - 1), ShortOf(origin_.Y + kRows - 1)};
        WriteConsoleOutputW(output_, savedCells_.data(), kScreenSize, COORD{0, 0}, &area);
    }
    SetConsoleCursorInfo(output_, &savedCursor_);
    SetConsoleCursorPosition(output_, savedCursorPosition_);
    SetConsoleMode(input_, savedInputMode_);
    if (savedInputCodePage_) SetConsoleCP(savedInputCodePage_);
    if (savedOutputCodePage_) SetConsoleOutputCP(savedOutputCodePage_);
    SetConsoleTitleW(savedTitle_.c_str());
}

void SystemConsole::Stop() {
    if (input_ == INVALID_HANDLE_VALUE && output_ == INVALID_HANDLE_VALUE) return;
    Restore();
    CloseHandles();
    ClearInput();
}

void SystemConsole::CloseHandles() {
    if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
    if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
    input_ = output_ = INVALID_HANDLE_VALUE;
}

// --- Cells --------------------------------------------------------------------------

void SystemConsole::SetTitle(std::string_view title) {
    if (!running_) return;
    // The title in the console's code page (852, set at the start), without control bytes.
    std::string text;
    for (char c : title)
        if (static_cast<std::uint8_t>(c) >= 0x20 && c != 0x7F) text += c;
    SetConsoleTitleA(text.c_str());
}

void SystemConsole::Flush() {
    if (!running_) return;
    // The changed cells go out in one write of the rectangle around them. The
    // characters are written in UTF-16 through the program's own table: bytes below
    // 32 then show as the console's glyphs everywhere, and never reach a terminal
    // behind the console as control bytes.
    int left = kColumns + 1, right = 0, top = kRows + 1, bottom = 0;
    Grid().TakeChanges([&](int column, int row, const Cell& cell) {
        CHAR_INFO& shown = shown_[(row - 1) * kColumns + (column - 1)];
        shown.Char.UnicodeChar = static_cast<WCHAR>(cp852::Glyph(cell.character));
        shown.Attributes = cell.attribute;  // the PC's attribute byte is the console's
        left = std::min(left, column);
        right = std::max(right, column);
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    });
    if (right > 0) {
        SMALL_RECT area{ShortOf(origin_.X + left - 1), ShortOf(origin_.Y + top - 1), ShortOf(origin_.X + right - 1),
                        ShortOf(origin_.Y + bottom - 1)};
        WriteConsoleOutputW(output_, shown_.data(), kScreenSize, COORD{ShortOf(left - 1), ShortOf(top - 1)}, &area);
    }
    const COORD cursor{ShortOf(origin_.X + CursorColumn() - 1), ShortOf(origin_.Y + CursorRow() - 1)};
    if (cursor.X != shownCursor_.X || cursor.Y != shownCursor_.Y) {
        SetConsoleCursorPosition(output_, cursor);
        shownCursor_ = cursor;
    }
    if (const int shape = static_cast<int>(CursorShapeShown()); shape != shownShape_) {
        const CONSOLE_CURSOR_INFO info{CursorShapeShown() == CursorShape::BottomHalf ? kTallCursor : kLowCursor,
                                       CursorShapeShown() != CursorShape::Hidden};
        SetConsoleCursorInfo(output_, &info);
        shownShape_ = shape;
    }
}

// --- Input --------------------------------------------------------------------------

void SystemConsole::Pump() {
    if (!running_) return;
    for (;;) {
        INPUT_RECORD records[kRecordBatch];
        DWORD waiting = 0;
        if (!PeekConsoleInputA(input_, records, kRecordBatch, &waiting) || waiting == 0) return;
        DWORD got = 0;
        if (!ReadConsoleInputA(input_, records, waiting, &got)) return;
        for (DWORD i = 0; i < got; ++i) Take(records[i]);
    }
}

void SystemConsole::Take(const INPUT_RECORD& record) {
    switch (record.EventType) {
        case KEY_EVENT: {
            const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
            const win32_input::KeyRecord copy{key.bKeyDown != FALSE, key.wRepeatCount, key.wVirtualKeyCode,
                                              key.wVirtualScanCode, static_cast<std::uint8_t>(key.uChar.AsciiChar),
                                              key.dwControlKeyState};
            if (const auto press = win32_input::TranslateKey(copy)) {
                const WORD repeats = std::clamp<WORD>(key.wRepeatCount, 1, kMostRepeats);
                for (WORD i = 0; i < repeats; ++i) QueueKey(*press);
            }
            break;
        }
        case MOUSE_EVENT: {
            const MOUSE_EVENT_RECORD& mouse = record.Event.MouseEvent;
            const win32_input::MouseRecord copy{mouse.dwMousePosition.X - origin_.X, mouse.dwMousePosition.Y - origin_.Y,
                                                mouse.dwButtonState, mouse.dwEventFlags};
            if (const auto report = win32_input::TranslateMouse(copy)) QueueMouse(*report);
            break;
        }
        case WINDOW_BUFFER_SIZE_EVENT: {
            // The user resized the window: the screen goes to the window's new
            // corner, where the buffer still holds it, and is drawn anew.
            CONSOLE_SCREEN_BUFFER_INFO info;
            if (GetConsoleScreenBufferInfo(output_, &info)) {
                origin_ = COORD{std::max<SHORT>(0, std::min<SHORT>(info.srWindow.Left, ShortOf(info.dwSize.X - kColumns))),
                                std::max<SHORT>(0, std::min<SHORT>(info.srWindow.Top, ShortOf(info.dwSize.Y - kRows)))};
            }
            Grid().MarkAllChanged();
            shownCursor_ = COORD{-1, -1};
            break;
        }
        default: break;  // focus and menu events
    }
}

void SystemConsole::WaitForInput(std::uint32_t ms) {
    if (InputQueued()) return;
    if (!running_) {
        Sleep(ms);
        return;
    }
    // The input handle is signalled while records wait; those that bring no key or
    // click (key releases, focus) end the wait too and are read by the next poll.
    WaitForSingleObject(input_, ms);
}

bool SystemConsole::ClipboardAvailable() const { return clipboard::Available(); }
bool SystemConsole::ReadClipboard(std::string& text) { return clipboard::Read(text); }
bool SystemConsole::WriteClipboard(std::string_view text) { return clipboard::Write(text); }

}  // namespace platform::win32
