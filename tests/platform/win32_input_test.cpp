// The Win32 console's key and mouse records translated into PC key codes: the
// records as Windows consoles fill them, and as Wine's console fills them when a
// terminal feeds it (Esc without a character, Polish letters without a key).
#include "platform/win32_input.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace platform::win32_input;

constexpr std::uint32_t kCtrl = kLeftCtrlPressed;
constexpr std::uint32_t kAlt = kLeftAltPressed;
constexpr std::uint32_t kAltGr = kRightAltPressed | kLeftCtrlPressed;
constexpr std::uint32_t kShift = kShiftPressed;

struct KeyCase {
    const char* what;
    KeyRecord record;
    const char* expected;  // "code/shift" in hex, or "-" for no key
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    char text[96];
    std::snprintf(text, sizeof text, "%s (down %d vk %02X scan %02X char %02X state %04X)", c.what, c.record.keyDown,
                  c.record.virtualKey, c.record.scanCode, c.record.character, c.record.controlKeyState);
    return out << text;
}

std::string describe(const std::optional<platform::KeyPress>& key) {
    if (!key) return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%04X/%02X", key->code, key->shiftState);
    return text;
}

KeyRecord down(std::uint16_t vk, std::uint16_t scan, std::uint8_t character, std::uint32_t state = 0) {
    return KeyRecord{true, 1, vk, scan, character, state};
}

KeyRecord up(std::uint16_t vk, std::uint16_t scan, std::uint8_t character, std::uint32_t state = 0) {
    return KeyRecord{false, 1, vk, scan, character, state};
}

class KeyRecords : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyRecords, GiveThePcKeyCodes) { EXPECT_EQ(describe(TranslateKey(GetParam().record)), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyRecords,
    ::testing::Values(
        // Esc by its scan code, whatever the character and the virtual key.
        KeyCase{"Esc with no character", down(0x1B, 0x01, 0), "011B/00"},
        KeyCase{"Esc by scan code alone", down(0, 0x01, 0), "011B/00"},
        KeyCase{"Esc by virtual key alone", down(0x1B, 0, 0x1B), "011B/00"},
        // Cursor and function keys by the virtual key, with their modifiers.
        KeyCase{"Up", down(0x26, 0x48, 0), "4800/00"},
        KeyCase{"Shift+Up", down(0x26, 0x48, 0, kShift), "4800/03"},
        KeyCase{"Ctrl+Up", down(0x26, 0x48, 0, kRightCtrlPressed | kEnhancedKey), "8D00/04"},
        KeyCase{"Alt+Up", down(0x26, 0x48, 0, kAlt | kEnhancedKey), "9800/08"},
        KeyCase{"Left", down(0x25, 0x4B, 0, kEnhancedKey), "4B00/00"},
        KeyCase{"Right", down(0x27, 0x4D, 0), "4D00/00"},
        KeyCase{"Down", down(0x28, 0x50, 0), "5000/00"},
        KeyCase{"PgUp", down(0x21, 0x49, 0), "4900/00"}, KeyCase{"PgDn", down(0x22, 0x51, 0), "5100/00"},
        KeyCase{"Home", down(0x24, 0x47, 0), "4700/00"}, KeyCase{"End", down(0x23, 0x4F, 0), "4F00/00"},
        KeyCase{"Insert", down(0x2D, 0x52, 0), "5200/00"},
        KeyCase{"Shift+Insert keeps Insert with Shift", down(0x2D, 0x52, 0, kShift), "5200/03"},
        KeyCase{"Del", down(0x2E, 0x53, 0), "5300/00"}, KeyCase{"F1", down(0x70, 0x3B, 0), "3B00/00"},
        KeyCase{"F5", down(0x74, 0x3F, 0), "3F00/00"}, KeyCase{"Shift+F1", down(0x70, 0x3B, 0, kShift), "5400/03"},
        KeyCase{"Ctrl+F1", down(0x70, 0x3B, 0, kCtrl), "5E00/04"},
        KeyCase{"Alt+F12", down(0x7B, 0x58, 0, kAlt), "8C00/08"},
        KeyCase{"F11", down(0x7A, 0x57, 0), "8500/00"},
        // A console that names no virtual key: the scan code of a key without a character.
        KeyCase{"F5 by scan code", down(0, 0x3F, 0), "3F00/00"},
        KeyCase{"Home by scan code", down(0, 0x47, 0), "4700/00"},
        KeyCase{"F12 by scan code", down(0, 0x58, 0), "8600/00"},
        // The keypad: digits with Num Lock, cursor keys without.
        KeyCase{"keypad 7 with Num Lock", down(0x67, 0x47, '7', kNumLockOn), "4737/20"},
        KeyCase{"keypad 7 without Num Lock", down(0x24, 0x47, 0), "4700/00"},
        KeyCase{"keypad +", down(0x6B, 0x4E, '+', kNumLockOn), "4E2B/20"},
        KeyCase{"keypad -", down(0x6D, 0x4A, '-', kNumLockOn), "4A2D/20"},
        KeyCase{"keypad Enter", down(0x0D, 0x1C, '\r', kEnhancedKey), "1C0D/00"},
        // Character keys: the scan code and the character.
        KeyCase{"Enter", down(0x0D, 0x1C, '\r'), "1C0D/00"},
        KeyCase{"Ctrl+Enter", down(0x0D, 0x1C, '\n', kCtrl), "1C0A/04"},
        KeyCase{"Tab", down(0x09, 0x0F, '\t'), "0F09/00"},
        KeyCase{"Shift+Tab", down(0x09, 0x0F, '\t', kShift), "0F00/03"},
        KeyCase{"Space", down(0x20, 0x39, ' '), "3920/00"},
        KeyCase{"Backspace", down(0x08, 0x0E, 0x08), "0E08/00"},
        KeyCase{"t", down('T', 0x14, 't'), "1474/00"}, KeyCase{"T", down('T', 0x14, 'T', kShift), "1454/03"},
        KeyCase{"n", down('N', 0x31, 'n'), "316E/00"}, KeyCase{"N", down('N', 0x31, 'N', kShift), "314E/03"},
        KeyCase{"x", down('X', 0x2D, 'x'), "2D78/00"}, KeyCase{"0", down('0', 0x0B, '0'), "0B30/00"},
        KeyCase{"Caps Lock and Scroll Lock on", down('A', 0x1E, 'A', kCapsLockOn | kScrollLockOn), "1E41/50"},
        // Ctrl with letters gives the control characters.
        KeyCase{"Ctrl+T", down('T', 0x14, 0x14, kCtrl), "1414/04"},
        KeyCase{"Ctrl+Q", down('Q', 0x10, 0x11, kRightCtrlPressed), "1011/04"},
        KeyCase{"Ctrl+N", down('N', 0x31, 0x0E, kCtrl), "310E/04"},
        KeyCase{"Ctrl+W", down('W', 0x11, 0x17, kCtrl), "1117/04"},
        KeyCase{"Ctrl+D", down('D', 0x20, 0x04, kCtrl), "2004/04"},
        KeyCase{"Ctrl+I (the event source makes it Insert)", down('I', 0x17, 0x09, kCtrl), "1709/04"},
        KeyCase{"Ctrl+C is a key", down('C', 0x2E, 0x03, kCtrl), "2E03/04"},
        // Alt with a key: the scan code alone (Alt+digits their own codes).
        KeyCase{"Alt+s", down('S', 0x1F, 's', kAlt), "1F00/08"},
        KeyCase{"Alt+Shift+S with Num Lock", down('S', 0x1F, 'S', kAlt | kShift | kNumLockOn), "1F00/2B"},
        KeyCase{"Alt+S without a character", down('S', 0x1F, 0, kRightAltPressed), "1F00/08"},
        KeyCase{"Alt+1", down('1', 0x02, '1', kAlt), "7800/08"},
        KeyCase{"Alt+= without a character", down(0xBB, 0x0D, 0, kAlt), "8300/08"},
        KeyCase{"Alt+S with neither character nor scan code", down('S', 0, 0, kAlt), "1F00/08"},
        KeyCase{"Alt+Space", down(0x20, 0x39, ' ', kAlt), "3920/08"},
        // Polish letters: with AltGr on a Polish keyboard, or with no key at all.
        KeyCase{"AltGr+a types a with ogonek", down('A', 0x1E, 0xA5, kAltGr), "1EA5/00"},
        KeyCase{"AltGr+Shift+a", down('A', 0x1E, 0xA4, kAltGr | kShift), "1EA4/03"},
        KeyCase{"a with ogonek with no key", down(0, 0, 0xA5), "1EA5/00"},
        KeyCase{"capital Z with dot with no key", down(0, 0, 0xBD), "2CBD/03"},
        KeyCase{"z with dot with no key", down(0, 0, 0xBE), "2CBE/00"},
        KeyCase{"u with diaeresis has no key", down(0, 0, 0x81), "0081/00"},
        KeyCase{"a letter typed with no key", down(0, 0, 'A'), "1E41/03"},
        KeyCase{"Alt with keypad 1 while a number is typed", down(0x61, 0x4F, 0, kAlt | kNumLockOn), "-"},
        KeyCase{"Alt with the grey Home", down(0x24, 0x47, 0, kAlt | kEnhancedKey), "9700/08"},
        KeyCase{"Alt+Up without the enhanced mark, as Wine sends it", down(0x26, 0x48, 0, kAlt), "9800/08"},
        KeyCase{"Alt with keypad + is no digit", down(0x6B, 0x4E, 0, kAlt), "4E00/08"},
        KeyCase{"Alt released after the number gives the character", up(0x12, 0x38, 0xA5, kNumLockOn), "1EA5/20"},
        // Nothing: releases, keys that only modify, records that name no key.
        KeyCase{"a key released", up('A', 0x1E, 'a'), "-"}, KeyCase{"Alt released", up(0x12, 0x38, 0), "-"},
        KeyCase{"Shift", down(0x10, 0x2A, 0, kShift), "-"}, KeyCase{"Ctrl", down(0x11, 0x1D, 0, kCtrl), "-"},
        KeyCase{"Alt", down(0x12, 0x38, 0, kAlt), "-"}, KeyCase{"Caps Lock", down(0x14, 0x3A, 0), "-"},
        KeyCase{"left Windows key", down(0x5B, 0x5B, 0, kEnhancedKey), "-"},
        KeyCase{"Home or End as a terminal under Wine sends them", down(0, 0, 0), "-"}));

TEST(KeyRecords, ShiftStateBits) {
    EXPECT_EQ(ShiftStateOf(0), 0x00);
    EXPECT_EQ(ShiftStateOf(kShiftPressed), 0x03) << "both Shift bits";
    EXPECT_EQ(ShiftStateOf(kLeftCtrlPressed), 0x04);
    EXPECT_EQ(ShiftStateOf(kRightCtrlPressed), 0x04);
    EXPECT_EQ(ShiftStateOf(kLeftAltPressed), 0x08);
    EXPECT_EQ(ShiftStateOf(kRightAltPressed), 0x08);
    EXPECT_EQ(ShiftStateOf(kScrollLockOn), 0x10);
    EXPECT_EQ(ShiftStateOf(kNumLockOn), 0x20);
    EXPECT_EQ(ShiftStateOf(kCapsLockOn), 0x40);
    EXPECT_EQ(ShiftStateOf(kEnhancedKey), 0x00);
    EXPECT_EQ(ShiftStateOf(kShiftPressed | kLeftAltPressed | kNumLockOn), 0x2B);
}

// --- Mouse ------------------------------------------------------------------------------

std::string describe(const std::optional<platform::MouseReport>& mouse) {
    if (!mouse) return "-";
    char text[24];
    std::snprintf(text, sizeof text, "M%u@%d,%d", mouse->buttons, mouse->column, mouse->row);
    return text;
}

TEST(MouseRecords, GiveButtonsAndTheCellFromOne) {
    constexpr std::uint32_t kMoved = 0x1, kDoubleClick = 0x2, kWheeled = 0x4, kWheeledSideways = 0x8;
    EXPECT_EQ(describe(TranslateMouse({0, 0, 0x1, 0})), "M1@1,1") << "left button on the top-left cell";
    EXPECT_EQ(describe(TranslateMouse({79, 24, 0x2, 0})), "M2@80,25") << "right button";
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x4, 0})), "M4@10,5") << "middle button";
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x3, 0})), "M3@10,5") << "two buttons";
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x1, kMoved})), "M1@10,5") << "a drag";
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x1, kDoubleClick})), "M1@10,5");
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x0, 0})), "M0@10,5") << "a release";
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x0, kMoved})), "-") << "moving with no button down";
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x00780000, kWheeled})), "-");
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0xFF880000, kWheeledSideways})), "-");
    EXPECT_EQ(describe(TranslateMouse({9, 4, 0x8, 0})), "M0@10,5") << "the fourth button is no PC button";
}

}  // namespace
