#pragma once
// Letter case in code page 852: A-Z and the 19 Central European letter pairs that
// the program treats like Latin letters (the Polish ones first). Standard case
// functions know only A-Z. The file layer uses this to find names regardless of
// case; the toolkit's upper-casing of texts is built on the same table.
#include <array>
#include <cstdint>

namespace platform::cp852 {

struct CasePair {
    std::uint8_t lower;
    std::uint8_t upper;
};

// ą ć ę ł ń ó ś ż ź, then ü ë ä ö ő č š ű é á.
inline constexpr std::array<CasePair, 19> kCasePairs = {{
    {165, 164}, {134, 143}, {169, 168}, {136, 157}, {228, 227}, {162, 224}, {152, 151},
    {190, 189}, {171, 141}, {129, 154}, {137, 211}, {132, 142}, {148, 153}, {139, 138},
    {159, 172}, {231, 230}, {251, 235}, {130, 144}, {160, 181},
}};

constexpr std::uint8_t Upper(std::uint8_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(c - 'a' + 'A');
    for (const CasePair& pair : kCasePairs)
        if (pair.lower == c) return pair.upper;
    return c;
}

constexpr std::uint8_t Lower(std::uint8_t c) {
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint8_t>(c - 'A' + 'a');
    for (const CasePair& pair : kCasePairs)
        if (pair.upper == c) return pair.lower;
    return c;
}

}  // namespace platform::cp852
