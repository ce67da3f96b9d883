#include "platform/posix/utf8.h"

#include <cstdint>

namespace platform::posix {

Utf8 DecodeUtf8(std::string_view text, char32_t& cp, std::size_t& length) {
    length = 1;
    const auto lead = static_cast<std::uint8_t>(text[0]);
    cp = lead;
    if (lead < 0x80) return Utf8::Ok;
    const std::size_t extra = lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
                            : lead >= 0xF0 && lead < 0xF5 ? 3
                                                          : 0;
    if (extra == 0) return Utf8::Invalid;
    char32_t value = lead & (0x3F >> extra);
    for (std::size_t i = 1; i <= extra; ++i) {
        if (i >= text.size()) return Utf8::Truncated;
        const auto next = static_cast<std::uint8_t>(text[i]);
        if ((next & 0xC0) != 0x80) return Utf8::Invalid;
        value = (value << 6) | (next & 0x3F);
        // The second byte already tells an overlong form or a surrogate.
        if (i == 1 && ((extra == 2 && value < 0x20) || (extra == 3 && (value < 0x10 || value > 0x10F)) ||
                       (extra == 2 && value >= 0x360 && value < 0x380)))
            return Utf8::Invalid;
    }
    cp = value;
    length = 1 + extra;
    return Utf8::Ok;
}

}  // namespace platform::posix
