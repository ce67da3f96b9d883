#include "app/firm_loop.h"

#include <string>

#include "app/firm_picker.h"
#include "app/firm_table.h"
#include "convert/claimed_directories.h"
#include "convert/firm_conversion.h"
#include "convert/progress_log.h"
#include "fileio/firm_list_file.h"
#include "fileio/message_lines.h"
#include "product/environment.h"
#include "tui/message_box.h"

namespace app {

namespace {

void ConvertSelectedFirms(const Run& run, std::uint16_t count) {
    // A missing 2024 registry is created empty; a busy one is not waited for.
    fileio::FirmListFile registry(run.paths.root2024 + product::RegistryFileName());
    if (!registry.Open(fileio::OpenOrCreate, fileio::WaitNone)) {
        tui::ErrorBox(fileio::Centred("Brak dostepu do pliku") + tui::kLineEnd + fileio::Centred(registry.Name()));
        return;
    }
    const convert::DataRoots roots{run.paths.root2023, run.paths.root2024};
    for (std::uint16_t number = 1; number <= count; ++number) {
        const FirmRecord* firm = FirmByNumber(number);
        if (!firm || !firm->selected) continue;
        const std::string directory = firm->registry.Directory();
        convert::ClearLog(true);
        convert::LogWriteLine("Kopiowanie  - FIRMA   : " + firm->registry.Name());
        convert::LogWriteLine("              Katalog : " + directory);
        // The firm's files are on the disk before its record is, and its in-progress
        // mark goes only once the record is. A firm not registered keeps its mark, so
        // the next run redoes it; a failed insert has been put to the user already.
        convert::ConversionMark mark;
        if (convert::ConvertFirm(roots, directory, run.extraFiles, mark) &&
            convert::MakeFirmDurable(roots, directory) && registry.InsertSorted(firm->registry.bytes.data()))
            convert::FinishFirm(mark);
    }
    // What Close cannot release, the file object's end closes.
    static_cast<void>(registry.Close());
}

}  // namespace

void RunFirmLoop(const Run& run) {
    std::uint16_t count = 0;
    if (SelectFirms(run.paths, count)) ConvertSelectedFirms(run, count);
    convert::ReleaseClaims();
    ReleaseFirmTable(count);
    convert::ClearLog(false);
}

}  // namespace app
