#include "tui/polish_text.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/cp852.h"
#include "platform/cp852_case.h"

namespace tui {

namespace {

using namespace platform::literals;

constexpr std::uint8_t Byte(char c) { return static_cast<std::uint8_t>(c); }

// The platform's case table as two lookup tables, one step per character.
struct CaseMaps {
    std::array<std::uint8_t, 256> upper{};
    std::array<std::uint8_t, 256> lower{};
};

constexpr CaseMaps MakeCaseMaps() {
    CaseMaps maps;
    for (int c = 0; c < 256; ++c) {
        maps.upper[c] = platform::cp852::Upper(static_cast<std::uint8_t>(c));
        maps.lower[c] = platform::cp852::Lower(static_cast<std::uint8_t>(c));
    }
    return maps;
}

constexpr CaseMaps kCase = MakeCaseMaps();

// The sort order after the control codes 0-31, which come first in code order.
// Each letter sorts upper case first, its accented forms right after it; note Ż
// before Ź.
constexpr std::string_view kOrderAfterControls =
    "_ !\"#$%&'()*+,-./0123456789:;<=>?@"
    "AaĄąÄäÁáBbCcĆćČčDdEeĘęËëÉéFfGgHhIiJjKkLlŁłMmNnŃńOoÓóÖöŐőPpQqRrSsŚśŠšTtUuÜüŰűVvWwXxYyZzŻżŹź"
    "[\\]^`{|}~"_cp;

// A character outside the sort order sorts after all of it, equal to every other such.
constexpr std::uint8_t kUnlistedPlace = 255;

constexpr std::array<std::uint8_t, 256> MakePlaces() {
    std::array<std::uint8_t, 256> places{};
    places.fill(kUnlistedPlace);
    std::uint8_t place = 1;
    for (int c = 0; c < 32; ++c) places[c] = place++;
    for (char c : kOrderAfterControls) places[Byte(c)] = place++;
    return places;
}

constexpr std::array<std::uint8_t, 256> kPlaces = MakePlaces();

// Index 0 stands for no month; 13-16 are the ledger's special periods.
constexpr std::array<std::string_view, 17> kMonths = {
    "-"_cp,       "Styczeń"_cp,  "Luty"_cp,        "Marzec"_cp,      "Kwiecień"_cp, "Maj"_cp,
    "Czerwiec"_cp, "Lipiec"_cp,  "Sierpień"_cp,    "Wrzesień"_cp,    "Październik"_cp,
    "Listopad"_cp, "Grudzień"_cp, "Zestawienie"_cp, "Oczekujące"_cp, "Korekty roku"_cp,
    "SQL"_cp,
};
constexpr std::size_t kMonthNameWidth = 11;

constexpr char kDateSeparator = '-';

std::string MapString(std::string_view s, char (*map)(char)) {
    std::string out(s);
    for (char& c : out) c = map(c);
    return out;
}

}  // namespace

char UpperChar(char c) { return static_cast<char>(kCase.upper[Byte(c)]); }

char LowerChar(char c) { return static_cast<char>(kCase.lower[Byte(c)]); }

std::string UpperString(std::string_view s) { return MapString(s, UpperChar); }

std::string LowerString(std::string_view s) { return MapString(s, LowerChar); }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i])) return false;
    return true;
}

int PolishCompare(std::string_view a, std::string_view b) {
    // The shorter string counts as padded with code 0, the first of the order.
    const std::size_t length = std::max(a.size(), b.size());
    std::uint8_t placeA = 0;
    std::uint8_t placeB = 0;
    for (std::size_t i = 0; i < length && placeA == placeB; ++i) {
        placeA = kPlaces[i < a.size() ? Byte(a[i]) : 0];
        placeB = kPlaces[i < b.size() ? Byte(b[i]) : 0];
    }
    if (placeA < placeB) return 1;
    if (placeA == placeB) return 0;
    return -1;
}

std::string MonthName(std::uint8_t m) {
    std::string name = m < kMonths.size() ? std::string(kMonths[m]) : "(" + std::to_string(m) + ")?";
    if (name.size() < kMonthNameWidth) name.resize(kMonthNameWidth, ' ');
    return name;
}

std::string DateText(std::uint8_t day, std::uint8_t month, std::uint16_t year) {
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1 || year > 2999)
        return std::string(1, kDateSeparator);
    char text[11];
    std::snprintf(text, sizeof text, "%02u%c%02u%c%04u", unsigned{day}, kDateSeparator, unsigned{month},
                  kDateSeparator, unsigned{year});
    return text;
}

}  // namespace tui
