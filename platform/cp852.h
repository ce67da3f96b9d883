#pragma once
// Code page 852, the character set of every text inside the program: screen cells,
// messages, data files and file names. The terminal and the file system speak UTF-8;
// the conversion happens only at the platform boundary, through the one table below.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::cp852 {

// The Unicode character that a code page 852 console shows for each byte.
// Bytes below 32 and 127 are the console's glyphs (☺, ♥, ►, ⌂ …), byte 0 a blank,
// so that a damaged name never sends a control byte to a terminal.
inline constexpr std::array<char16_t, 256> kGlyphs = {
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x2302,
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7,
    0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE, 0x0179, 0x00C4, 0x0106,
    0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D, 0x017E,
    0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A,
    0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE,
    0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4,
    0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,
};

// How bytes below 32 and 127 are converted to UTF-8.
enum class Controls {
    AsGlyphs,  // as the console shows them (screen output)
    AsIs,      // unchanged (file names, standard output)
};

// The code point of a code page 852 byte, the console glyph for control bytes.
constexpr char32_t Glyph(std::uint8_t byte) { return kGlyphs[byte]; }

// The code page 852 byte of a code point; false when the code page has none.
// Control code points map to themselves, the console glyphs back to their bytes.
constexpr bool FromCodePoint(char32_t cp, std::uint8_t& byte) {
    if (cp < 0x80) {
        byte = static_cast<std::uint8_t>(cp);
        return true;
    }
    // The upper half first: "§" is both byte 0xF5 and the console glyph of byte 0x15.
    for (int b = 0x80; b < 256 + 33; ++b) {
        const int candidate = b < 256 ? b : b == 256 ? 127 : b - 256;
        if (candidate != 0 && kGlyphs[candidate] == cp) {
            byte = static_cast<std::uint8_t>(candidate);
            return true;
        }
    }
    return false;
}

// Decodes one UTF-8 sequence from text at pos; advances pos. An invalid
// sequence yields U+FFFD and consumes one byte.
constexpr char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || pos + extra > text.size()) return U'\uFFFD';
    char32_t cp = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto next = static_cast<std::uint8_t>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return U'\uFFFD';
        cp = (cp << 6) | (next & 0x3F);
    }
    pos += extra;
    return cp;
}

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);

// Converts code page 852 text to UTF-8.
std::string ToUtf8(std::string_view text, Controls controls = Controls::AsIs);

// Converts UTF-8 text to code page 852; a character the code page lacks becomes '?'.
std::string FromUtf8(std::string_view utf8);

// --- Readable messages in source code -------------------------------------------
// "Błąd"_cp is the code page 852 form of a UTF-8 literal, converted at compile time.

template <std::size_t N>
struct Utf8Literal {
    char text[N]{};
    constexpr Utf8Literal(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
    }
};

template <std::size_t N>
struct Cp852Text {
    std::array<char, N> bytes{};
    std::size_t length = 0;
    constexpr std::string_view View() const { return {bytes.data(), length}; }
};

template <std::size_t N>
consteval Cp852Text<N> ConvertLiteral(const Utf8Literal<N>& in) {
    Cp852Text<N> out;
    std::string_view text(in.text, N - 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::uint8_t byte = '?';
        if (!FromCodePoint(DecodeUtf8(text, pos), byte)) throw "character outside code page 852";
        out.bytes[out.length++] = static_cast<char>(byte);
    }
    return out;
}

template <Utf8Literal S>
inline constexpr auto kConverted = ConvertLiteral(S);

}  // namespace platform::cp852

namespace platform::literals {
template <cp852::Utf8Literal S>
constexpr std::string_view operator""_cp() {
    return cp852::kConverted<S>.View();
}
}  // namespace platform::literals
