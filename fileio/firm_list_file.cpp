#include "fileio/firm_list_file.h"

#include "tui/polish_text.h"

namespace fileio {

namespace {

constexpr std::size_t kKeyNameWidth = 31;
constexpr std::size_t kKeyDirectoryWidth = 8;
constexpr std::size_t kKeyDescriptionWidth = 25;

std::string Fitted(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace

FirmListFile::FirmListFile(std::string_view name) : SharedFile(name, kRegistryRecordSize) {}

std::string FirmListFile::KeyOf(const void* record) const {
    const auto& firm = *static_cast<const RegistryRecord*>(record);
    return Fitted(firm.Name(), kKeyNameWidth) + ' ' + Fitted(firm.Directory(), kKeyDirectoryWidth) + ' ' +
           Fitted(firm.Description(), kKeyDescriptionWidth);
}

std::int16_t FirmListFile::Compare(const void* a, const void* b) const {
    return static_cast<std::int16_t>(tui::PolishCompare(tui::UpperString(KeyOf(a)), tui::UpperString(KeyOf(b))));
}

}  // namespace fileio
