#include "fileio/short_text.h"

#include <algorithm>

namespace fileio {

std::string ShortText(std::span<const char> field) {
    if (field.empty()) return {};
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(field[0]), field.size() - 1);
    return std::string(field.data() + 1, length);
}

}  // namespace fileio
