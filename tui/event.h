#pragma once
// The one event source of the toolkit: key presses, mouse clicks and commands.
#include <cstdint>

#include "tui/commands.h"
#include "tui/keys.h"

namespace tui {

enum class EventKind : std::uint8_t { None = 0, Key = 1, Mouse = 2, Command = 3 };

// Where a command event came from.
namespace source {
inline constexpr std::uint8_t HintBar = 3;
inline constexpr std::uint8_t Button = 4;  // a push button or its hot key
}  // namespace source

// One event; only the fields of its kind are meaningful, the others are 0.
struct Event {
    EventKind kind = EventKind::None;
    // Key event.
    bool extended = false;          // the key has no character of its own
    std::uint8_t character = 0;     // code page 852; a blank for extended keys
    std::uint8_t shiftState = 0;
    KeyCode keyCode = 0;
    // Mouse event.
    std::uint16_t buttons = 0;      // 1 left, 2 right, other values other buttons
    int column = 0;                 // screen position, from 1
    int row = 0;
    int windowColumn = 0;           // position in the current window's interior
    int windowRow = 0;
    // Command event.
    Command command = 0;
    std::uint8_t commandSource = 0;

    bool IsKey(KeyCode code) const { return kind == EventKind::Key && keyCode == code; }
    bool IsCommand(Command c) const { return kind == EventKind::Command && command == c; }
    // A character key typing the ASCII letter (given in lower case) in either case.
    bool IsLetter(char lower) const {
        return kind == EventKind::Key && !extended &&
               (character == static_cast<std::uint8_t>(lower) || character == static_cast<std::uint8_t>(lower - 'a' + 'A'));
    }
};

// Waits for the next event (never of kind None). While waiting the clock runs.
void GetEvent(Event& event);
// Takes an event out of further handling.
void ClearEvent(Event& event);
// Turns the event into a command event from the given source.
void SetCommand(Event& event, Command command, std::uint8_t commandSource);
// A copy of the event GetEvent returned last.
const Event& LastEvent();

// The console's keyboard buffer, without waiting.
bool KeyWaiting();
// The next waiting key's code (0 when none is waiting).
KeyCode ReadKey();

}  // namespace tui
