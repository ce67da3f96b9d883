#include "product/switches.h"

#include <cstddef>
#include <optional>

#include "platform/process.h"

namespace product {

namespace {

std::string_view WithoutMarker(std::string_view text) {
    if (!text.empty() && (text.front() == '/' || text.front() == '-')) text.remove_prefix(1);
    return text;
}

bool BeginsWith(std::string_view text, std::string_view prefix, bool caseInsensitive) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i];
        char b = prefix[i];
        if (caseInsensitive) {
            if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
            if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
        }
        if (a != b) return false;
    }
    return true;
}

// The first parameter that the switch matches.
std::optional<std::string_view> FoundSwitch(std::string_view name, bool caseInsensitive) {
    const std::string_view bare = WithoutMarker(name);
    if (bare.empty()) return std::nullopt;
    for (const std::string& parameter : platform::Arguments())
        if (BeginsWith(WithoutMarker(parameter), bare, caseInsensitive)) return parameter;
    return std::nullopt;
}

}  // namespace

bool FindSwitch(std::string_view name, bool caseInsensitive) { return FoundSwitch(name, caseInsensitive).has_value(); }

std::string SwitchValue(std::string_view name) {
    const std::optional<std::string_view> found = FoundSwitch(name, true);
    if (!found) return {};
    // Both lose their marker before the cut, so "kprspis:X" typed without "/" still
    // gives "X", and so does a name given without one.
    return std::string(WithoutMarker(*found).substr(WithoutMarker(name).size()));
}

}  // namespace product
