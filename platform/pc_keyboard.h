#pragma once
// The PC keyboard as key codes see it: the scan code of each character key (US
// layout) and the shift-state bits. Console implementations build key codes from
// this table: code = scan code << 8 | character.
#include <cstdint>
#include <string_view>

namespace platform::pc {

// Shift-state bits.
inline constexpr std::uint8_t kRightShift = 0x01;
inline constexpr std::uint8_t kLeftShift = 0x02;
inline constexpr std::uint8_t kShift = kRightShift | kLeftShift;  // Shift held: both bits
inline constexpr std::uint8_t kCtrl = 0x04;
inline constexpr std::uint8_t kAlt = 0x08;
inline constexpr std::uint8_t kNumLock = 0x20;

// Scan code of the key that types an ASCII character (with or without Shift), of
// Enter for CR, Tab, Backspace and Esc; 0 for characters no key types.
constexpr std::uint8_t scanCodeOf(char c) {
    struct Row {
        std::uint8_t first;
        std::string_view plain;
        std::string_view shifted;
    };
    constexpr Row kRows[] = {
        {0x02, "1234567890-=", "!@#$%^&*()_+"},
        {0x10, "qwertyuiop[]", "QWERTYUIOP{}"},
        {0x1E, "asdfghjkl;'`", "ASDFGHJKL:\"~"},
        {0x2B, "\\zxcvbnm,./", "|ZXCVBNM<>?"},
    };
    switch (c) {
        case ' ': return 0x39;
        case '\r': return 0x1C;
        case '\t': return 0x0F;
        case '\b': return 0x0E;
        case '\x1B': return 0x01;
        default: break;
    }
    for (const Row& row : kRows) {
        for (std::size_t i = 0; i < row.plain.size(); ++i)
            if (row.plain[i] == c || row.shifted[i] == c) return static_cast<std::uint8_t>(row.first + i);
    }
    return 0;
}

// Whether typing the character needs Shift (capital letters, the upper signs).
constexpr bool needsShift(char c) {
    if (c >= 'A' && c <= 'Z') return true;
    return std::string_view("!@#$%^&*()_+{}:\"~|<>?").find(c) != std::string_view::npos;
}

// The key code of a character key: its scan code and the character.
constexpr std::uint16_t characterKey(std::uint8_t c) {
    return static_cast<std::uint16_t>(scanCodeOf(static_cast<char>(c)) << 8 | c);
}

}  // namespace platform::pc
