#include "app/registered_firms.h"

#include <algorithm>

#include "convert/copying/copy_steps.h"
#include "tui/progress_log.h"
#include "fileio/file_exists.h"
#include "platform/cp852.h"
#include "tui/polish_text.h"

namespace app {

using namespace platform::literals;

void LogRolledBack(const fileio::RegistryFile& registry) {
    if (registry.RolledBack())
        convert::LogLineIn(tui::logcolour::Error, "Cofnięto przerwany wpis do pliku "_cp, registry.FileName());
}

// The whole file, under its whole-file lock, so that nothing half-inserted by
// another workstation is read. A damaged registry has been named in a box.
bool RegisteredFirms::Read() {
    if (fileio::ExistenceOf(fileio::FileSearchResult(path_)) == fileio::Existence::Missing) return true;
    fileio::RegistryFile registry(path_);
    std::string bytes;
    const bool read = registry.Open(fileio::OpenExisting) && registry.ReadWhole(bytes);
    LogRolledBack(registry);
    if (!read) {
        if (!registry.Refused()) convert::ReportError("Błąd odczytu danych z "_cp, path_);
        return false;
    }
    for (std::size_t at = 0; at + fileio::kRegistryRecordSize <= bytes.size(); at += fileio::kRegistryRecordSize) {
        fileio::RegistryRecord record;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), record.bytes.size(), record.bytes.begin());
        directories_.insert(tui::UpperString(record.Directory()));
    }
    return true;
}

std::optional<bool> RegisteredFirms::Names(std::string_view directory) {
    if (!read_) {
        readable_ = Read();
        read_ = true;
    }
    if (!readable_) return std::nullopt;
    return directories_.contains(tui::UpperString(directory));
}

}  // namespace app
