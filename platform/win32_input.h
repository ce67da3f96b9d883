#pragma once
// Turns the Win32 console's input records into the PC's key presses and mouse
// reports. Pure functions over plain copies of the records, so that they are
// compiled and tested on every build, not only on Windows.
//
// A key record tells the virtual key, the keyboard's scan code, the character (here
// in code page 852) and the state of the control keys. Consoles differ in what they
// fill in: some give Esc no character, a console fed by a terminal gives a Polish
// letter no key at all. The translation prefers what identifies the key for sure:
// the scan code for Esc, the virtual key (or else the scan code) for cursor and
// function keys, the character for character keys.
#include <cstdint>
#include <optional>

#include "platform/console.h"

namespace platform::win32_input {

// Bits of a record's control-key state, as the console reports them.
inline constexpr std::uint32_t kRightAltPressed = 0x0001;
inline constexpr std::uint32_t kLeftAltPressed = 0x0002;
inline constexpr std::uint32_t kRightCtrlPressed = 0x0004;
inline constexpr std::uint32_t kLeftCtrlPressed = 0x0008;
inline constexpr std::uint32_t kShiftPressed = 0x0010;
inline constexpr std::uint32_t kNumLockOn = 0x0020;
inline constexpr std::uint32_t kScrollLockOn = 0x0040;
inline constexpr std::uint32_t kCapsLockOn = 0x0080;
inline constexpr std::uint32_t kEnhancedKey = 0x0100;

// A console key record.
struct KeyRecord {
    bool keyDown = true;
    std::uint16_t repeatCount = 1;
    std::uint16_t virtualKey = 0;
    std::uint16_t scanCode = 0;
    std::uint8_t character = 0;  // code page 852; 0 for keys without one
    std::uint32_t controlKeyState = 0;
};

// A console mouse record, its position already relative to the program's screen
// (column and row from 0).
struct MouseRecord {
    int x = 0;
    int y = 0;
    std::uint32_t buttonState = 0;  // bit 0 left, 1 right, 2 middle
    std::uint32_t eventFlags = 0;   // 1 moved, 2 double click, 4 wheel, 8 horizontal wheel
};

// The PC's shift state of a record's control-key state. The console tells Shift
// without its side, so both Shift bits are set.
std::uint8_t ShiftStateOf(std::uint32_t controlKeyState);

// The key press of a record, or none (a key released, Shift or another key that
// only modifies, a record that names no key). The character composed with Alt and
// the keypad arrives with the release of Alt and is a key press.
std::optional<KeyPress> TranslateKey(const KeyRecord& record);

// The mouse report of a record, or none (the wheel, the pointer moving with no
// button down).
std::optional<MouseReport> TranslateMouse(const MouseRecord& record);

}  // namespace platform::win32_input
