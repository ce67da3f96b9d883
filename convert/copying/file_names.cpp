#include "convert/copying/file_names.h"

namespace convert {

namespace {
constexpr std::string_view kRefused = "/\\:*?<>|\"";
constexpr unsigned char kFirstPrintable = 0x20;
}  // namespace

bool IsPlainFileName(std::string_view name) {
    if (name.find_first_not_of(". ") == std::string_view::npos) return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < kFirstPrintable || kRefused.find(c) != std::string_view::npos) return false;
    return true;
}

}  // namespace convert
