// Polish upper- and lower-casing, collation, month names and date texts.
#include "tui/polish_text.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/cp852.h"

using namespace platform::literals;
using platform::cp852::ToUtf8;

namespace {

// The 19 letter pairs by their code page 852 codes (lower, upper).
struct LetterPair {
    int lower;
    int upper;
};
constexpr LetterPair kPairs[] = {
    {165, 164}, {134, 143}, {169, 168}, {136, 157}, {228, 227}, {162, 224}, {152, 151},
    {190, 189}, {171, 141}, {129, 154}, {137, 211}, {132, 142}, {148, 153}, {139, 138},
    {159, 172}, {231, 230}, {251, 235}, {130, 144}, {160, 181},
};

char Ch(int code) { return static_cast<char>(code); }

TEST(PolishCase, LetterPairsMapBothWays) {
    for (const LetterPair& pair : kPairs) {
        SCOPED_TRACE(testing::Message() << "pair " << pair.lower << "/" << pair.upper);
        EXPECT_EQ(tui::UpperChar(Ch(pair.lower)), Ch(pair.upper));
        EXPECT_EQ(tui::LowerChar(Ch(pair.upper)), Ch(pair.lower));
        EXPECT_EQ(tui::UpperChar(Ch(pair.upper)), Ch(pair.upper));
        EXPECT_EQ(tui::LowerChar(Ch(pair.lower)), Ch(pair.lower));
    }
}

TEST(PolishCase, EveryOtherCharacterIsUnchanged) {
    std::set<int> lowers, uppers;
    for (int c = 'a'; c <= 'z'; ++c) lowers.insert(c), uppers.insert(c - 'a' + 'A');
    for (const LetterPair& pair : kPairs) lowers.insert(pair.lower), uppers.insert(pair.upper);
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(testing::Message() << "code " << c);
        if (!lowers.count(c)) {
            EXPECT_EQ(tui::UpperChar(Ch(c)), Ch(c));
        }
        if (!uppers.count(c)) {
            EXPECT_EQ(tui::LowerChar(Ch(c)), Ch(c));
        }
    }
}

TEST(PolishCase, NamedCharacters) {
    EXPECT_EQ(tui::UpperChar("ż"_cp[0]), Ch(189));
    EXPECT_EQ(tui::UpperChar(Ch(225)), Ch(225));  // ß has no partner in the table
    EXPECT_EQ(tui::UpperChar('1'), '1');
    EXPECT_EQ(tui::UpperChar('q'), 'Q');
    EXPECT_EQ(tui::LowerChar('Q'), 'q');
}

TEST(PolishCase, Strings) {
    EXPECT_EQ(tui::UpperString("łódź"_cp), "ŁÓDŹ"_cp);
    EXPECT_EQ(tui::LowerString("ŁÓDŹ"_cp), "łódź"_cp);
    EXPECT_EQ(tui::UpperString("Zażółć gęślą jaźń 12 ─"_cp), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ 12 ─"_cp);
    EXPECT_EQ(tui::UpperString(""), "");
    const std::string withZero("a\0b", 3);
    EXPECT_EQ(tui::UpperString(withZero), std::string("A\0B", 3));
}

struct CompareCase {
    std::string_view a;
    std::string_view b;
    int expected;
};

TEST(PolishCompare, Cases) {
    const CompareCase cases[] = {
        {"zupa"_cp, "żaba"_cp, 1},
        {"żaba"_cp, "źrebię"_cp, 1},
        {"Ż"_cp, "Ź"_cp, 1},
        {"kot", "kotek", 1},
        {"kotek", "kot", -1},
        {"równe"_cp, "równe"_cp, 0},
        {"", "", 0},
        {"", "a", 1},
        {"b", "A", -1},
        {"A", "a", 1},
        {"a", "Ą"_cp, 1},
        {"ą"_cp, "B", 1},
        {"Ą"_cp, "Ä"_cp, 1},
        {"á"_cp, "B", 1},
        {"ł"_cp, "M", 1},
        {"Ó"_cp, "P", 1},
        {"ź"_cp, "[", 1},
        {"_", " ", 1},
        {"\x1F", "_", 1},
        {std::string_view("\0", 1), "\x01", 1},
        {"9", "A", 1},
        {"@", "A", 1},
        {"~", "z", -1},
        {"~", "─"_cp, 1},
        {"\x7F", "~", -1},
        // Characters outside the order sort equal to each other, so the comparison
        // goes on to the next position.
        {"a─b"_cp, "a│c"_cp, 1},
        {"a─c"_cp, "a│b"_cp, -1},
        {"─"_cp, "ß"_cp, 0},
    };
    for (const CompareCase& c : cases) {
        EXPECT_EQ(tui::PolishCompare(c.a, c.b), c.expected) << ToUtf8(c.a) << " vs " << ToUtf8(c.b);
    }
}

TEST(PolishCompare, AlphabetIsInOrder) {
    const std::string_view alphabet =
        "AaĄąÄäÁáBbCcĆćČčDdEeĘęËëÉéFfGgHhIiJjKkLlŁłMmNnŃńOoÓóÖöŐőPpQqRrSsŚśŠšTtUuÜüŰűVvWwXxYyZzŻżŹź"_cp;
    for (std::size_t i = 0; i + 1 < alphabet.size(); ++i) {
        const std::string_view first = alphabet.substr(i, 1);
        const std::string_view second = alphabet.substr(i + 1, 1);
        EXPECT_EQ(tui::PolishCompare(first, second), 1) << ToUtf8(first) << " before " << ToUtf8(second);
        EXPECT_EQ(tui::PolishCompare(second, first), -1) << ToUtf8(second) << " after " << ToUtf8(first);
    }
}

TEST(MonthName, PaddedToElevenCharacters) {
    const struct {
        int month;
        std::string_view expected;
    } cases[] = {
        {0, "-          "},
        {1, "Styczeń    "_cp},
        {2, "Luty       "},
        {10, "Październik"_cp},
        {12, "Grudzień   "_cp},
        {14, "Oczekujące "_cp},
        {15, "Korekty roku"},
        {16, "SQL        "},
        {17, "(17)?      "},
        {20, "(20)?      "},
        {255, "(255)?     "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tui::MonthName(static_cast<std::uint8_t>(c.month)), c.expected) << "month " << c.month;
    }
}

TEST(DateText, DayFirstOrDash) {
    const struct {
        int day, month, year;
        std::string_view expected;
    } cases[] = {
        {1, 5, 2024, "01-05-2024"}, {31, 2, 2024, "31-02-2024"}, {31, 12, 2999, "31-12-2999"},
        {1, 1, 1, "01-01-0001"},    {0, 5, 2024, "-"},           {32, 5, 2024, "-"},
        {1, 0, 2024, "-"},          {1, 13, 2024, "-"},          {1, 5, 0, "-"},
        {1, 5, 3000, "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tui::DateText(static_cast<std::uint8_t>(c.day), static_cast<std::uint8_t>(c.month),
                                static_cast<std::uint16_t>(c.year)),
                  c.expected)
            << c.day << "." << c.month << "." << c.year;
    }
}

}  // namespace
