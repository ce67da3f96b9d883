#pragma once
// The console of Windows: the program's 80×25 code page 852 cells in the top-left
// corner of the console window, keys and mouse reports from the console's input
// records. Only cells changed since the last flush are written. What the program
// changes (the cells under its screen, the cursor, the modes, the code pages, the
// title) is given back when it stops.
#include <atomic>
#include <string>
#include <vector>

#include "platform/grid_console.h"
#include "platform/win32/api.h"

namespace platform::win32 {

class SystemConsole : public QueuedInputConsole {
public:
    static constexpr int kColumns = 80;
    static constexpr int kRows = 25;

    SystemConsole() : QueuedInputConsole(kColumns, kRows) {}
    ~SystemConsole() override { Stop(); }
    SystemConsole(const SystemConsole&) = delete;
    SystemConsole& operator=(const SystemConsole&) = delete;

    // Takes over the console the process is attached to (even with standard input
    // or output redirected): raw keys with Ctrl+C as a key, mouse reports, code page
    // 852, a window of at least 80×25. False with the reason (UTF-8) in error when
    // there is no console or it cannot be set up.
    bool Start(std::string& error);
    // Gives the console back as it was found and lets go of it; nothing when not
    // started.
    void Stop();
    // Gives the console back but keeps the handles, for the ways out that end the
    // process at once (Ctrl+Break, a crash). Safe from another thread and more than
    // once: only the first call does anything.
    void Restore();

    // --- Console ----------------------------------------------------------------
    void SetTitle(std::string_view title) override;
    void Flush() override;
    void WaitForInput(std::uint32_t ms) override;
    bool ClipboardAvailable() const override;
    bool ReadClipboard(std::string& text) override;
    bool WriteClipboard(std::string_view text) override;

private:
    // Makes the window at least 80×25 and places the program's screen at its
    // top-left corner; false with the reason when the window stays too small.
    bool PlaceScreen(std::string& error);
    // Reads the input records that are waiting and translates them.
    void Pump() override;
    void Take(const INPUT_RECORD& record);
    void CloseHandles();

    std::atomic<bool> running_{false};
    HANDLE input_ = INVALID_HANDLE_VALUE;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    // What the console was like before the program took it over.
    DWORD savedInputMode_ = 0;
    UINT savedInputCodePage_ = 0;
    UINT savedOutputCodePage_ = 0;
    CONSOLE_CURSOR_INFO savedCursor_{};
    COORD savedCursorPosition_{};
    std::wstring savedTitle_;
    std::vector<CHAR_INFO> savedCells_;
    bool cellsSaved_ = false;

    COORD origin_{};  // the buffer cell of column 1, row 1
    std::vector<CHAR_INFO> shown_;  // the program's screen as written to the console
    int shownShape_ = -1;  // the shape last set on the console
    COORD shownCursor_{-1, -1};
};

}  // namespace platform::win32
