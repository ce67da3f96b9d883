#pragma once
// The PC keyboard as key codes see it: the scan code of each character key (US
// layout) and the shift-state bits. Console implementations build key codes from
// this table: code = scan code << 8 | character.
#include <cstdint>
#include <string_view>

#include "platform/cp852_case.h"

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
constexpr std::uint8_t ScanCodeOf(char c) {
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
constexpr bool NeedsShift(char c) {
    if (c >= 'A' && c <= 'Z') return true;
    return std::string_view("!@#$%^&*()_+{}:\"~|<>?").find(c) != std::string_view::npos;
}

// The key code of a character key: its scan code and the character.
constexpr std::uint16_t CharacterKey(std::uint8_t c) {
    return static_cast<std::uint16_t>(ScanCodeOf(static_cast<char>(c)) << 8 | c);
}

// The scan code of the key that types a code page 852 character on a Polish
// keyboard: ASCII as ScanCodeOf, a Polish letter the key of its base letter (typed
// with AltGr), 0 for anything else.
constexpr std::uint8_t TypingScanCodeOf(std::uint8_t c) {
    if (c < 0x80) return ScanCodeOf(static_cast<char>(c));
    // The Polish letters lead the case table: ą ć ę ł ń ó ś ż ź.
    constexpr std::string_view kBaseLetters = "acelnoszx";
    for (std::size_t i = 0; i < kBaseLetters.size(); ++i)
        if (cp852::kCasePairs[i].lower == c || cp852::kCasePairs[i].upper == c) return ScanCodeOf(kBaseLetters[i]);
    return 0;
}

// Whether typing a code page 852 character needs Shift: the upper signs and
// capitals, the Polish capitals included.
constexpr bool TypingNeedsShift(std::uint8_t c) {
    if (c < 0x80) return NeedsShift(static_cast<char>(c));
    return TypingScanCodeOf(c) != 0 && cp852::Lower(c) != c;
}

// Alt with a key by its scan code: Alt+1 … Alt+= have codes of their own (0x7800 …
// 0x8300), other keys give their scan code alone (Alt+S 0x1F00).
constexpr std::uint16_t AltKeyOfScan(std::uint8_t scan) {
    if (scan >= 0x02 && scan <= 0x0D) return static_cast<std::uint16_t>((scan + 0x76) << 8);
    return static_cast<std::uint16_t>(scan << 8);
}

// Alt with a character key; Alt+Space keeps its character.
constexpr std::uint16_t AltKey(char c) { return c == ' ' ? 0x3920 : AltKeyOfScan(ScanCodeOf(c)); }

// Cursor and function keys. F2 to F12 follow F1.
enum SpecialKey { Up, Down, Right, Left, Home, End, Insert, Delete, PgUp, PgDn, F1, F12 = F1 + 11 };

// The codes of a cursor or function key: plain, with Shift, with Ctrl, with Alt.
struct SpecialCodes {
    std::uint16_t plain, shift, ctrl, alt;
};
inline constexpr SpecialCodes kSpecialCodes[] = {
    {0x4800, 0x4800, 0x8D00, 0x9800},  // Up
    {0x5000, 0x5000, 0x9100, 0xA000},  // Down
    {0x4D00, 0x4D00, 0x7400, 0x9D00},  // Right
    {0x4B00, 0x4B00, 0x7300, 0x9B00},  // Left
    {0x4700, 0x4700, 0x7700, 0x9700},  // Home
    {0x4F00, 0x4F00, 0x7500, 0x9F00},  // End
    {0x5200, 0x5200, 0x9200, 0xA200},  // Insert (with Shift: the event source makes Shift+Insert)
    {0x5300, 0x5300, 0x9300, 0xA300},  // Delete
    {0x4900, 0x4900, 0x8400, 0x9900},  // PgUp
    {0x5100, 0x5100, 0x7600, 0xA100},  // PgDn
    {0x3B00, 0x5400, 0x5E00, 0x6800},  // F1; F2-F10 follow in steps of 0x100
    {0x3C00, 0x5500, 0x5F00, 0x6900}, {0x3D00, 0x5600, 0x6000, 0x6A00}, {0x3E00, 0x5700, 0x6100, 0x6B00},
    {0x3F00, 0x5800, 0x6200, 0x6C00}, {0x4000, 0x5900, 0x6300, 0x6D00}, {0x4100, 0x5A00, 0x6400, 0x6E00},
    {0x4200, 0x5B00, 0x6500, 0x6F00}, {0x4300, 0x5C00, 0x6600, 0x7000}, {0x4400, 0x5D00, 0x6700, 0x7100},
    {0x8500, 0x8700, 0x8900, 0x8B00},  // F11
    {0x8600, 0x8800, 0x8A00, 0x8C00},  // F12
};

// The code of a cursor or function key with the modifiers held: Ctrl before Alt,
// Alt before Shift, as the PC reports only one of them.
constexpr std::uint16_t SpecialKeyCode(SpecialKey key, bool shift, bool ctrl, bool alt) {
    const SpecialCodes& codes = kSpecialCodes[key];
    return ctrl ? codes.ctrl : alt ? codes.alt : shift ? codes.shift : codes.plain;
}

}  // namespace platform::pc
