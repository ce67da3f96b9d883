#include "platform/search_rules.h"

#include <cstdint>
#include <vector>

#include "platform/cp852_case.h"
#include "platform/files.h"

namespace platform {

NameKey KeyOfProgramName(std::string_view cp852Name) {
    NameKey key;
    key.reserve(cp852Name.size());
    for (char c : cp852Name) key += cp852::Upper(static_cast<std::uint8_t>(c));
    return key;
}

bool FitsPattern(const NameKey& pattern, const NameKey& name) {
    const std::size_t pn = pattern.size();
    const std::size_t nn = name.size();
    // known[p * (nn + 1) + n]: 0 not yet worked out, 1 fits, 2 does not.
    std::vector<std::uint8_t> known((pn + 1) * (nn + 1), 0);
    auto onlyWildcardsFrom = [&](std::size_t p) {
        for (; p < pn; ++p)
            if (pattern[p] != U'*' && pattern[p] != U'?') return false;
        return true;
    };
    // Whether pattern from p fits name from n.
    auto fits = [&](auto&& self, std::size_t p, std::size_t n) -> bool {
        if (p == pn) return n == nn;
        std::uint8_t& memo = known[p * (nn + 1) + n];
        if (memo) return memo == 1;
        bool result = false;
        switch (pattern[p]) {
            case U'*':
                for (std::size_t k = n; k <= nn && !result; ++k) result = self(self, p + 1, k);
                break;
            case U'?':
                // At the end of the name or at a point, "?" may stand for nothing.
                if (n == nn || name[n] == U'.') result = self(self, p + 1, n);
                if (!result && n < nn) result = self(self, p + 1, n + 1);
                break;
            case U'.':
                if (n < nn && name[n] == U'.')
                    result = self(self, p + 1, n + 1);
                else if (n == nn)
                    result = onlyWildcardsFrom(p + 1);
                break;
            default:
                result = n < nn && name[n] == pattern[p] && self(self, p + 1, n + 1);
        }
        memo = result ? 1 : 2;
        return result;
    };
    return fits(fits, 0, 0);
}

bool HasWildcards(std::string_view cp852Name) { return cp852Name.find_first_of("*?") != std::string_view::npos; }

bool FitsAttributeMask(std::uint8_t attributes, std::uint8_t mask) {
    constexpr std::uint8_t kSpecial = attr::Hidden | attr::System | attr::VolumeId | attr::Directory;
    return (attributes & kSpecial & ~mask) == 0;
}

}  // namespace platform
