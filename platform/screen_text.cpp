#include "platform/screen_text.h"

#include "platform/cp852.h"

namespace platform {

std::string ScreenTextOf(const std::vector<Cell>& cells, int columns) {
    std::string out;
    for (std::size_t start = 0; start < cells.size(); start += static_cast<std::size_t>(columns)) {
        std::string bytes;
        for (int column = 0; column < columns; ++column) bytes += static_cast<char>(cells[start + column].character);
        std::string line = cp852::ToUtf8(bytes, cp852::Controls::AsGlyphs);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (start != 0) out += '\n';
        out += line;
    }
    return out;
}

}  // namespace platform
