#include "platform/win32/wide_text.h"

#include <cstdint>

#include "platform/cp852.h"

namespace platform::win32 {

std::wstring WideOf(std::string_view cp852Text) {
    std::wstring wide;
    wide.reserve(cp852Text.size());
    // Control bytes stay themselves: these texts are names and values, not screen cells.
    for (char c : cp852Text) {
        const auto byte = static_cast<std::uint8_t>(c);
        wide += static_cast<wchar_t>(byte < 0x20 || byte == 0x7F ? byte : cp852::Glyph(byte));
    }
    return wide;
}

std::string Cp852Of(std::wstring_view wideText) {
    std::string text;
    text.reserve(wideText.size());
    for (wchar_t w : wideText) {
        std::uint8_t byte = '?';
        if (!cp852::FromCodePoint(static_cast<char16_t>(w), byte)) byte = '?';
        text += static_cast<char>(byte);
    }
    return text;
}

}  // namespace platform::win32
