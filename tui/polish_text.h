#pragma once
// Polish text in code page 852: upper- and lower-casing that knows the Polish (and a
// few other Central European) letters, the Polish sort order, month names and the
// day-first date text of the progress log. The standard case functions know only A-Z.
#include <cstdint>
#include <string>
#include <string_view>

namespace tui {

// "a"-"z" and the lower-case letters of the case table to their upper-case partners;
// every other character unchanged.
char UpperChar(char c);
// The mirror image of UpperChar.
char LowerChar(char c);
// The character functions applied to each character; the length is unchanged.
std::string UpperString(std::string_view s);
std::string LowerString(std::string_view s);
// a and b upper-cased are the same text.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// Polish collation: 1 when a sorts before b, 0 when they sort equal, -1 when a sorts
// after b. Case-sensitive (A before a), each accented letter right after its base
// letter; a string sorts before every longer string that begins with it.
int PolishCompare(std::string_view a, std::string_view b);

// The month name of m (1-12), or "-" for 0 and the ledger's special periods for
// 13-16; "(m)?" above 16. Padded with blanks to at least 11 characters.
std::string MonthName(std::uint8_t m);

// "dd-mm-yyyy" for day 1-31, month 1-12 and year 1-2999, else "-". The day is not
// checked against the month's length.
std::string DateText(std::uint8_t day, std::uint8_t month, std::uint16_t year);

}  // namespace tui
