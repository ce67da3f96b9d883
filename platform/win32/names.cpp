#include "platform/win32/names.h"

#include <cstdint>

#include "platform/files.h"
#include "platform/win32/api.h"

namespace platform::win32 {

namespace {

constexpr std::size_t kLongestName = 255;

bool hasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool validName(std::string_view name, bool wildcardsAllowed) {
    if (name.size() > kLongestName) return false;
    for (char c : name) {
        if (static_cast<std::uint8_t>(c) < 0x20) return false;
        if (std::string_view("<>:\"|").find(c) != std::string_view::npos) return false;
        if (!wildcardsAllowed && (c == '*' || c == '?')) return false;
    }
    return true;
}

}  // namespace

void useOemFileNames() {
    [[maybe_unused]] static const bool switched = (SetFileApisToOEM(), true);
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

int nativePath(std::string_view path, bool wildcardsInLastName, std::string& native) {
    native.clear();
    if (path.empty()) return err::PathNotFound;
    if (path.size() >= MAX_PATH) return err::BadFormat;
    std::string_view rest = hasDrive(path) ? path.substr(2) : path;
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !isSeparator(rest[end])) ++end;
        const bool last = end == rest.size();
        if (!validName(rest.substr(0, end), last && wildcardsInLastName)) return err::BadFormat;
        rest.remove_prefix(last ? end : end + 1);
    }
    useOemFileNames();
    native = path;
    return err::Ok;
}

SplitPath splitLast(std::string_view path) {
    std::size_t cut = path.size();
    while (cut > 0 && !isSeparator(path[cut - 1])) --cut;
    if (cut == 0 && hasDrive(path)) cut = 2;
    return {path.substr(0, cut), path.substr(cut)};
}

}  // namespace platform::win32
