#include "platform/text_convention.h"

#include <algorithm>

#include "platform/cp852.h"

namespace platform {

namespace {

[[maybe_unused]] bool ValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();)
        if (cp852::DecodeUtf8(text, pos) == U'\uFFFD') return false;
    return true;
}

}  // namespace

std::vector<std::string> TextFileLinesIn(std::vector<std::string> lines) {
#ifndef _WIN32
    if (std::all_of(lines.begin(), lines.end(), ValidUtf8))
        for (std::string& line : lines) line = cp852::FromUtf8(line);
#endif
    return lines;
}

std::string TextFileLineOut(std::string_view line) {
#ifdef _WIN32
    return std::string(line);
#else
    return cp852::ToUtf8(line);
#endif
}

}  // namespace platform
