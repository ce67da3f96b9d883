#include "product/switches.h"

#include <cstddef>

#include "platform/process.h"

namespace product {

namespace {

// The parameter that the last successful FindSwitch matched.
std::size_t gFoundIndex = 0;

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

}  // namespace

bool FindSwitch(std::string_view name, bool caseInsensitive) {
    const std::string_view bare = WithoutMarker(name);
    if (bare.empty()) return false;
    const auto& parameters = platform::arguments();
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (BeginsWith(WithoutMarker(parameters[i]), bare, caseInsensitive)) {
            gFoundIndex = i;
            return true;
        }
    }
    return false;
}

std::string SwitchValue(std::string_view name) {
    if (!FindSwitch(name, true)) return {};
    // Both lose their marker before the cut, so "kprspis:X" typed without "/" still
    // gives "X", and so does a name given without one.
    const std::string_view parameter = WithoutMarker(platform::arguments()[gFoundIndex]);
    return std::string(parameter.substr(WithoutMarker(name).size()));
}

}  // namespace product
