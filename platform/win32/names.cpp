#include "platform/win32/names.h"

#include <cstdint>

#include "platform/files.h"
#include "platform/win32/api.h"

namespace platform::win32 {

namespace {

constexpr std::size_t kLongestName = 255;

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool ValidName(std::string_view name, bool wildcardsAllowed) {
    if (name.size() > kLongestName) return false;
    for (char c : name) {
        if (static_cast<std::uint8_t>(c) < 0x20) return false;
        if (std::string_view("<>:\"|").find(c) != std::string_view::npos) return false;
        if (!wildcardsAllowed && (c == '*' || c == '?')) return false;
    }
    return true;
}

}  // namespace

void UseOemFileNames() {
    [[maybe_unused]] static const bool switched = (SetFileApisToOEM(), true);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

int NativePath(std::string_view path, bool wildcardsInLastName, std::string& native) {
    native.clear();
    if (path.empty()) return err::PathNotFound;
    if (path.size() >= MAX_PATH) return err::BadFormat;
    std::string_view rest = HasDrive(path) ? path.substr(2) : path;
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !IsSeparator(rest[end])) ++end;
        const bool last = end == rest.size();
        if (!ValidName(rest.substr(0, end), last && wildcardsInLastName)) return err::BadFormat;
        rest.remove_prefix(last ? end : end + 1);
    }
    UseOemFileNames();
    native = path;
    return err::Ok;
}

SplitPath SplitLast(std::string_view path) {
    std::size_t cut = path.size();
    while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
    if (cut == 0 && HasDrive(path)) cut = 2;
    return {path.substr(0, cut), path.substr(cut)};
}

}  // namespace platform::win32
