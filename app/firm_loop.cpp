#include "app/firm_loop.h"

#include <string>

#include "app/firm_picker.h"
#include "app/firm_table.h"
#include "convert/copy_steps.h"
#include "convert/firm_conversion.h"
#include "convert/progress_log.h"
#include "fileio/firm_list_file.h"
#include "fileio/message_lines.h"
#include "platform/cp852.h"
#include "product/environment.h"
#include "tui/message_box.h"

namespace app {

namespace {

using namespace platform::literals;

void ConvertSelectedFirms(const Run& run, std::uint16_t count) {
    // A missing 2024 registry is created empty; a busy one is not waited for.
    fileio::FirmListFile registry(run.paths.root2024 + product::RegistryFileName());
    if (!registry.Open(fileio::OpenOrCreate, fileio::WaitNone)) {
        tui::ErrorBox(fileio::Centred("Brak dostepu do pliku") + tui::kLineEnd + fileio::Centred(registry.FileName()));
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
        // A failed insert has been put to the user as a serious error; the next
        // firm follows.
        if (convert::ConvertFirm(roots, directory, run.extraFiles))
            static_cast<void>(registry.InsertSorted(firm->registry.bytes.data()));
    }
    // A close that fails may have lost what the last inserts wrote. (A lock that
    // cannot be released keeps the file open; the file object's end closes it.)
    if (!registry.Close()) convert::ReportError("Błąd zamknięcia zbioru "_cp, registry.FileName());
}

}  // namespace

void RunFirmLoop(const Run& run) {
    std::uint16_t count = 0;
    if (SelectFirms(run.paths, count)) ConvertSelectedFirms(run, count);
    ReleaseFirmTable(count);
    convert::ClearLog(false);
}

}  // namespace app
