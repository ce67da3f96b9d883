#include "tools/qz-sample/ini_text.h"

namespace qzsample {

void IniText::add(std::string_view section, std::string_view key, std::string_view value) {
    Section* target = nullptr;
    for (Section& existing : sections_)
        if (existing.name == section) target = &existing;
    if (!target) target = &sections_.emplace_back(Section{std::string(section), {}});
    target->lines.push_back(std::string(key) + "=" + std::string(value));
}

void IniText::addHeadLine(std::string_view line) { head_.emplace_back(line); }

std::string IniText::render(std::string_view lineEnd) const {
    std::string text;
    for (const std::string& line : head_) text += line + std::string(lineEnd);
    for (const Section& section : sections_) {
        text += "[" + section.name + "]" + std::string(lineEnd);
        for (const std::string& line : section.lines) text += line + std::string(lineEnd);
        if (!section.lines.empty()) text += lineEnd;
    }
    return text;
}

}  // namespace qzsample
