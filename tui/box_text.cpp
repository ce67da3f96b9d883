#include "tui/box_text.h"

#include "tui/message_box.h"

namespace tui {

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const auto end = text.find(kLineEnd);
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return lines;
        text.remove_prefix(end + 1);
    }
}

std::vector<BoxLine> BoxLines(std::string_view text) {
    std::vector<BoxLine> lines;
    for (std::string_view line : SplitLines(text)) {
        const bool centred = !line.empty() && line.front() == kCentre;
        if (centred) line.remove_prefix(1);
        lines.push_back(BoxLine{line, centred});
    }
    return lines;
}

}  // namespace tui
