#pragma once
// Strict UTF-8 decoding for what comes from outside: names on disk and bytes typed
// at a terminal. Only well-formed sequences count (no overlong forms, no
// surrogates, nothing above U+10FFFF).
#include <cstddef>
#include <string_view>

namespace platform::posix {

enum class Utf8 {
    Ok,         // cp and length hold the character
    Invalid,    // the first byte begins no well-formed sequence; length is 1
    Truncated,  // the bytes present begin a sequence that needs more of them
};

Utf8 DecodeUtf8(std::string_view text, char32_t& cp, std::size_t& length);

}  // namespace platform::posix
