#pragma once
// The lines of a box's message: CR ends a line, byte 3 at a line's start centres it.
#include <string_view>
#include <vector>

namespace tui {

struct BoxLine {
    std::string_view text;  // without the centring byte
    bool centred = false;
};

// The text split at each CR; an empty line still counts.
std::vector<std::string_view> SplitLines(std::string_view text);
// The same with the centring byte taken off the lines that begin with it.
std::vector<BoxLine> BoxLines(std::string_view text);

}  // namespace tui
