#include "platform/win32_input.h"

#include "platform/pc_keyboard.h"

namespace platform::win32_input {

namespace {

using namespace platform::pc;

// Virtual keys the translation looks at.
enum VirtualKey : std::uint16_t {
    kVkTab = 0x09,
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkMenu = 0x12,  // Alt
    kVkCapital = 0x14,
    kVkEscape = 0x1B,
    kVkPrior = 0x21,
    kVkNext = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
    kVkLeftWindows = 0x5B,
    kVkRightWindows = 0x5C,
    kVkNumpad0 = 0x60,  // … to 9 at 0x69
    kVkNumpad9 = 0x69,
    kVkF1 = 0x70,
    kVkF12 = 0x7B,
    kVkNumLock = 0x90,
    kVkScrollLock = 0x91,
    kVkLeftShift = 0xA0,  // … to right Alt 0xA5
    kVkRightMenu = 0xA5,
};

constexpr std::uint8_t kScanEscape = 0x01;
constexpr std::uint8_t kScanTab = 0x0F;
constexpr std::uint16_t kEsc = 0x011B;
constexpr std::uint16_t kShiftTab = 0x0F00;

bool OnlyModifies(std::uint16_t vk) {
    switch (vk) {
        case kVkShift: case kVkControl: case kVkMenu: case kVkCapital: case kVkLeftWindows:
        case kVkRightWindows: case kVkNumLock: case kVkScrollLock: return true;
        default: return vk >= kVkLeftShift && vk <= kVkRightMenu;
    }
}

// The cursor or function key of a record, or -1: by the virtual key, or, where the
// console gave none, by the scan code of a key without a character.
int SpecialOf(const KeyRecord& record) {
    switch (record.virtualKey) {
        case kVkUp: return Up;
        case kVkDown: return Down;
        case kVkRight: return Right;
        case kVkLeft: return Left;
        case kVkHome: return Home;
        case kVkEnd: return End;
        case kVkInsert: return Insert;
        case kVkDelete: return Delete;
        case kVkPrior: return PgUp;
        case kVkNext: return PgDn;
        default: break;
    }
    if (record.virtualKey >= kVkF1 && record.virtualKey <= kVkF12) return F1 + (record.virtualKey - kVkF1);
    if (record.virtualKey != 0 || record.character != 0) return -1;
    switch (record.scanCode) {
        case 0x48: return Up;
        case 0x50: return Down;
        case 0x4D: return Right;
        case 0x4B: return Left;
        case 0x47: return Home;
        case 0x4F: return End;
        case 0x52: return Insert;
        case 0x53: return Delete;
        case 0x49: return PgUp;
        case 0x51: return PgDn;
        case 0x57: return F1 + 10;
        case 0x58: return F12;
        default: break;
    }
    if (record.scanCode >= 0x3B && record.scanCode <= 0x44) return F1 + (record.scanCode - 0x3B);
    return -1;
}

// A keypad digit pressed with Alt (and no Ctrl) is part of a character typed by its
// number; the character comes with the release of Alt. Only the digits of Num Lock
// count: without it the keypad's keys are cursor keys, which some consoles do not
// tell from the grey ones.
bool ComposingByNumber(const KeyRecord& record, bool alt, bool ctrl) {
    return alt && !ctrl && record.character == 0 && record.virtualKey >= kVkNumpad0 &&
           record.virtualKey <= kVkNumpad9;
}

// The code of Alt with the record's key: by its character, or where the console gave
// none, by the scan code, or else by the letter or digit of the virtual key.
std::optional<std::uint16_t> AltCodeOf(const KeyRecord& record) {
    if (record.character >= 0x20 && record.character < 0x7F) return AltKey(static_cast<char>(record.character));
    if (record.scanCode != 0) return AltKeyOfScan(static_cast<std::uint8_t>(record.scanCode));
    const std::uint16_t vk = record.virtualKey;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return AltKey(static_cast<char>(vk));
    return std::nullopt;
}

// A typed character: the record's scan code, or the key that types it where the
// console named none (Shift then as the character needs it).
KeyPress Typed(const KeyRecord& record, std::uint8_t shiftState) {
    const std::uint8_t c = record.character;
    std::uint8_t scan = static_cast<std::uint8_t>(record.scanCode);
    if (scan == 0) {
        scan = TypingScanCodeOf(c);
        if (TypingNeedsShift(c)) shiftState |= kShift;
    }
    return KeyPress{static_cast<std::uint16_t>(scan << 8 | c), shiftState};
}

}  // namespace

std::uint8_t ShiftStateOf(std::uint32_t controlKeyState) {
    std::uint8_t state = 0;
    if (controlKeyState & kShiftPressed) state |= kShift;
    if (controlKeyState & (kLeftCtrlPressed | kRightCtrlPressed)) state |= kCtrl;
    if (controlKeyState & (kLeftAltPressed | kRightAltPressed)) state |= kAlt;
    if (controlKeyState & kScrollLockOn) state |= 0x10;
    if (controlKeyState & kNumLockOn) state |= kNumLock;
    if (controlKeyState & kCapsLockOn) state |= 0x40;
    return state;
}

std::optional<KeyPress> TranslateKey(const KeyRecord& record) {
    std::uint8_t state = ShiftStateOf(record.controlKeyState);
    if (!record.keyDown) {
        if (record.virtualKey != kVkMenu || record.character == 0) return std::nullopt;
        // The scan code is Alt's own; the character's key is found from the character.
        KeyRecord composed = record;
        composed.scanCode = 0;
        return Typed(composed, static_cast<std::uint8_t>(state & ~kAlt));
    }
    if (OnlyModifies(record.virtualKey)) return std::nullopt;
    const bool ctrl = state & kCtrl;
    const bool alt = state & kAlt;
    const bool shift = (state & kShift) != 0;
    // Ctrl and Alt together with a character: AltGr typing it (ą on a Polish keyboard).
    if (ctrl && alt && record.character >= 0x20)
        return Typed(record, static_cast<std::uint8_t>(state & ~(kCtrl | kAlt)));
    if (record.virtualKey == kVkEscape || record.scanCode == kScanEscape) return KeyPress{kEsc, state};
    if (ComposingByNumber(record, alt, ctrl)) return std::nullopt;
    if (const int special = SpecialOf(record); special >= 0)
        return KeyPress{SpecialKeyCode(static_cast<SpecialKey>(special), shift, ctrl, alt), state};
    if ((record.virtualKey == kVkTab || record.scanCode == kScanTab) && shift && !ctrl && !alt)
        return KeyPress{kShiftTab, state};
    if (alt && !ctrl) {
        if (const auto code = AltCodeOf(record)) return KeyPress{*code, state};
    }
    if (record.character != 0) return Typed(record, state);
    if (record.scanCode != 0) return KeyPress{static_cast<std::uint16_t>(record.scanCode << 8), state};
    return std::nullopt;
}

std::optional<MouseReport> TranslateMouse(const MouseRecord& record) {
    constexpr std::uint32_t kMoved = 0x1, kWheeled = 0x4, kWheeledSideways = 0x8;
    if (record.eventFlags & (kWheeled | kWheeledSideways)) return std::nullopt;
    // The console's button bits are the PC's: left 1, right 2, middle 4.
    const auto buttons = static_cast<std::uint16_t>(record.buttonState & 0x7);
    if ((record.eventFlags & kMoved) && buttons == 0) return std::nullopt;
    return MouseReport{buttons, record.x + 1, record.y + 1};
}

}  // namespace platform::win32_input
