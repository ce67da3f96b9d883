#include "convert/firm/firm_copies.h"

#include "convert/copying/copy_steps.h"
#include "convert/firm/firm_failures.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"

namespace convert {

namespace {

using namespace platform::literals;

constexpr char kRenameMark = '>';

// Runs each for the name of every entry of the source directory that matches pattern
// and whose attributes fit mask, until a full disk stops the firm. A directory that
// cannot be read is reported: the files it holds would otherwise be passed over
// without a word.
template <typename Each>
void ForEachMatch(const FirmPaths& paths, std::string_view pattern, std::uint8_t mask, Each each) {
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    const std::string path = paths.SourceFile(pattern);
    int result = search.First(path, mask, entry);
    for (; result == platform::err::Ok; result = search.Next(entry)) {
        if (FirmStopped()) return;
        each(entry.name);
    }
    if (result != platform::err::FileNotFound && result != platform::err::NoMoreFiles)
        ReportError("Błąd odczytu katalogu "_cp, path);
}

}  // namespace

std::pair<std::string_view, std::string_view> NamedCopyNames(std::string_view entry) {
    const std::size_t mark = entry.find(kRenameMark);
    if (mark == std::string_view::npos) return {entry, entry};
    return {entry.substr(0, mark), entry.substr(mark + 1)};
}

void RefuseFileName(std::string_view name) { LogLineIn(tui::logcolour::Error, "Niepoprawna nazwa pliku "_cp, name); }

void FirmCopies::Blocks(std::string_view from, std::string_view to) const {
    CopyBlocks(paths.SourceFile(from), paths.TargetFile(to));
}

void FirmCopies::Named(std::string_view entry) const {
    const auto [from, to] = NamedCopyNames(entry);
    Blocks(from, to);
}

void FirmCopies::Text(std::string_view name) const { CopyTextFile(paths.SourceFile(name), paths.TargetFile(name)); }

void FirmCopies::Records(std::string_view name, std::uint16_t recordSize, const RecordFilter& filter) const {
    Records(name, name, recordSize, filter);
}

void FirmCopies::Records(std::string_view from, std::string_view to, std::uint16_t recordSize,
                         const RecordFilter& filter) const {
    CopyRecords(paths.SourceFile(from), paths.TargetFile(to), recordSize, filter);
}

void FirmCopies::Convert(std::string_view from, std::string_view to, std::uint16_t recordSize,
                         const RecordConverter& converter) const {
    ConvertRecords(paths.SourceFile(from), paths.TargetFile(to), recordSize, recordSize, converter);
}

void FirmCopies::Verbatim(std::string_view name, std::uint16_t recordSize) const {
    Convert(name, name, recordSize, CopyWholeRecord);
}

void FirmCopies::Pattern(std::string_view pattern) const {
    ForEachMatch(paths, pattern, platform::attr::AnyFile, [this](const std::string& name) { Blocks(name); });
}

void FirmCopies::Numbered(std::string_view pattern) const {
    constexpr std::uint8_t ordinaryFiles =
        platform::attr::ReadOnly | platform::attr::Hidden | platform::attr::System | platform::attr::Archive;
    int count = 0;
    ForEachMatch(paths, pattern, ordinaryFiles, [this, &count](const std::string& name) {
        tui::LogWrite(std::to_string(++count) + ". :" + name);
        Blocks(name);
    });
}

}  // namespace convert
