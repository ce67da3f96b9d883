#pragma once
// An INI-style text file being written: sections in the order of their first use,
// keys in the order they were added, one empty line after each section, as the
// bookkeeping program saves such files.
#include <string>
#include <string_view>
#include <vector>

namespace qzsample {

class IniText {
public:
    // Adds key=value at the end of the section; a section not seen yet is appended.
    // Section names are matched exactly, so another spelling is another section.
    void add(std::string_view section, std::string_view key, std::string_view value);
    // A line before the first section, such as a comment.
    void addHeadLine(std::string_view line);
    std::string render(std::string_view lineEnd) const;

private:
    struct Section {
        std::string name;
        std::vector<std::string> lines;
    };
    std::vector<std::string> head_;
    std::vector<Section> sections_;
};

}  // namespace qzsample
