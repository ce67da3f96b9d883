#include "tui/event.h"

#include <array>

#include "platform/console.h"
#include "tui/clock_tick.h"
#include "tui/desktop.h"
#include "tui/hint_bar.h"
#include "tui/window.h"

namespace tui {

namespace {

struct AltLetter {
    KeyCode code;
    std::uint8_t lower;  // code page 852
    std::uint8_t upper;
};

// Alt+letter gives the Polish letter on the same key.
constexpr std::array<AltLetter, 10> kAltLetters = {{
    {kbAltA, 165, 164},  // ą Ą
    {kbAltC, 134, 143},  // ć Ć
    {kbAltE, 169, 168},  // ę Ę
    {kbAltL, 136, 157},  // ł Ł
    {kbAltN, 228, 227},  // ń Ń
    {kbAltO, 162, 224},  // ó Ó
    {kbAltS, 152, 151},  // ś Ś
    {kbAltZ, 190, 189},  // ż Ż
    {kbAltX, 171, 141},  // ź Ź
    {kbAltP, 245, 245},  // §
}};

// The upper-case letter comes only with these exact shift states: Alt with Shift and
// Num Lock, or Alt with Caps Lock and Num Lock.
constexpr std::uint8_t kUpperShiftStates[] = {0x2B, 0x68};

Event KeyEvent(platform::KeyPress key) {
    KeyCode code = key.code;
    if (code == kbCtrlI) code = kbInsert;
    if (code == kbCtrlQ) code = kbEsc;
    // Either Shift key counts: a console that tells left from right sets only one bit.
    if (code == kbInsert && (key.shiftState & (shift::LeftShift | shift::RightShift))) code = kbShiftInsert;

    Event event;
    event.kind = EventKind::Key;
    event.shiftState = key.shiftState;
    event.keyCode = code;
    event.character = static_cast<std::uint8_t>(code & 0xFF);
    if (event.character != 0) return event;

    event.character = ' ';
    event.extended = true;
    for (const AltLetter& letter : kAltLetters) {
        if (letter.code != code) continue;
        const bool upper = key.shiftState == kUpperShiftStates[0] || key.shiftState == kUpperShiftStates[1];
        event.character = upper ? letter.upper : letter.lower;
        event.extended = false;
    }
    return event;
}

Event MouseEvent(const platform::MouseReport& report) {
    // The top-left corner is a close box: a click there is Esc.
    if (report.row == 1 && report.column <= 2) return KeyEvent(platform::KeyPress{kbEsc, 0});
    Event event;
    event.kind = EventKind::Mouse;
    event.buttons = report.buttons;
    event.column = report.column;
    event.row = report.row;
    ScreenToWindow(report.column, report.row, event.windowColumn, event.windowRow);
    return event;
}

// The next key or click; false when nothing is waiting.
bool PollInput(Event& event) {
    platform::Console& console = platform::InstalledConsole();
    if (console.KeyWaiting()) {
        const auto key = console.ReadKey();
        if (!key) return false;
        event = KeyEvent(*key);
        return true;
    }
    while (console.MouseWaiting()) {
        const auto report = console.ReadMouse();
        if (!report || report->buttons == 0) continue;  // moves and releases
        // A double click is one event: the reports behind it are dropped.
        while (console.MouseWaiting()) console.ReadMouse();
        event = MouseEvent(*report);
        return true;
    }
    return false;
}

}  // namespace

void GetEvent(Event& event) {
    ClearEvent(event);
    // The clock's pause also shows what was drawn since the last wait.
    while (!PollInput(event)) ClockTick();
    TranslateByHintBar(event);
    TheScreen().lastEvent = event;
}

void ClearEvent(Event& event) { event = Event{}; }

void SetCommand(Event& event, Command command, std::uint8_t commandSource) {
    ClearEvent(event);
    event.kind = EventKind::Command;
    event.command = command;
    event.commandSource = commandSource;
}

const Event& LastEvent() { return TheScreen().lastEvent; }

bool KeyWaiting() { return platform::InstalledConsole().KeyWaiting(); }

KeyCode ReadKey() {
    const auto key = platform::InstalledConsole().ReadKey();
    return key ? key->code : 0;
}

}  // namespace tui
