#include "app/firm_loop.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/firm_picker.h"
#include "app/registered_firms.h"
#include "convert/copying/copy_steps.h"
#include "convert/copying/file_names.h"
#include "convert/firm/durable_queue.h"
#include "convert/firm/firm_conversion.h"
#include "convert/firm/firm_failures.h"
#include "convert/firm/firm_paths.h"
#include "convert/firm/interrupted_work.h"
#include "convert/firm/mark_converted.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "fileio/message_lines.h"
#include "fileio/registry_file.h"
#include "platform/console.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/read_ahead.h"
#include "product/environment.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"

namespace app {

namespace {

using namespace platform::literals;

std::uint16_t SelectedCount(std::span<const FirmRecord> firms) {
    std::uint16_t selected = 0;
    for (const FirmRecord& firm : firms) selected += firm.selected;
    return selected;
}

// Progress where it does not disturb the screen: the console's title.
void ShowFirmInTitle(std::uint16_t firm, std::uint16_t firms) {
    platform::InstalledConsole().SetTitle(std::string(kConsoleTitle) + " - firma " + std::to_string(firm) + " z " +
                                 std::to_string(firms));
}

// A firm the conversion did not hand over for registering.
convert::FirmOutcome OutcomeOfRefused(convert::FirmConversion conversion) {
    using convert::FirmOutcome;
    if (conversion == convert::FirmConversion::TakenElsewhere) return FirmOutcome::TakenElsewhere;
    return convert::FirmWasIncomplete() ? FirmOutcome::LeftIncomplete : FirmOutcome::NotConverted;
}

// A converted firm: durable, its files then reached the disk; incomplete, some failed.
convert::FirmOutcome OutcomeOfConverted(bool durable, bool registered, bool incomplete) {
    using convert::FirmOutcome;
    if (!durable) return FirmOutcome::NotConverted;
    if (!registered) return FirmOutcome::NotRegistered;
    return incomplete ? FirmOutcome::RegisteredIncomplete : FirmOutcome::Registered;
}

// While one firm is converted, the 2023 files of the next one to convert are read
// from the disk into the system's cache, so that its conversion does not wait for
// them (the first firm's from the start). later are the firms after the one at hand.
void ReadAheadNextFirm(platform::ReadAhead& readAhead, const convert::DataRoots& roots,
                       std::span<const FirmRecord> later) {
    for (const FirmRecord& next : later) {
        if (!next.selected) continue;
        const std::string directory = next.registry.Directory();
        if (convert::IsPlainFileName(directory)) readAhead.Begin(convert::PathsOfFirm(roots, directory).source);
        return;
    }
}

void ConvertSelectedFirms(const Run& run, std::span<const FirmRecord> firmList, convert::ClaimedDirectories& claims) {
    // A missing 2024 registry is created empty; a busy one is not waited for.
    fileio::RegistryFile registry(run.paths.root2024 + product::RegistryFileName());
    if (!registry.Open(fileio::OpenOrCreate)) {
        tui::ErrorBox(tui::WithFailureReason(fileio::Centred("Brak dostepu do pliku") + tui::kLineEnd +
                                             fileio::Centred(registry.FileName())));
        return;
    }
    const convert::DataRoots roots{run.paths.root2023, run.paths.root2024};
    const std::uint16_t firms = SelectedCount(firmList);
    std::uint16_t done = 0;
    bool diskFull = false;
    convert::DurableQueue onItsWay([&registry](std::span<const fileio::RegistryRecord> records) {
        const bool inserted = registry.InsertSorted(records);
        LogRolledBack(registry);
        return inserted;
    });
    platform::ReadAhead readAhead;
    ReadAheadNextFirm(readAhead, roots, firmList);
    for (const FirmRecord& firm : firmList) {
        const std::string directory = firm.registry.Directory();
        // The report names the firms in the registry's order.
        if (!firm.selected || diskFull) onItsWay.RegisterFirmsOnTheirWay();
        if (!firm.selected) {
            convert::ReportFirmResult(firm.registry.Name(), directory, convert::FirmOutcome::PassedOver);
            continue;
        }
        // Nothing more can be written after a full disk: the firms left are named in
        // the report as not taken, so that none is missing from it.
        if (diskFull) {
            convert::ReportFirmResult(firm.registry.Name(), directory, convert::FirmOutcome::NotTaken);
            continue;
        }
        onItsWay.RegisterFirmsOnTheirWayIfIn(roots, directory);
        ReadAheadNextFirm(readAhead, roots, firmList.subspan(std::size_t(&firm - firmList.data()) + 1));
        ShowFirmInTitle(++done, firms);
        tui::ClearLog(true);
        tui::LogWriteLine("Kopiowanie  - FIRMA   : " + firm.registry.Name());
        tui::LogWriteLine("              Katalog : " + directory);
        convert::ReportFirmStart(directory);
        convert::InProgressMark mark;
        convert::ConvertedFiles converted;
        const convert::FirmConversion conversion = convert::ConvertFirm(
            run.options, roots, firm.registry.Name(), directory, run.extraFiles, claims, mark, converted);
        diskFull = convert::DiskFullMet();
        if (conversion != convert::FirmConversion::Converted) {
            onItsWay.RegisterFirmsOnTheirWay();
            convert::ReportFirmResult(firm.registry.Name(), directory, OutcomeOfRefused(conversion),
                                      convert::FailedFiles());
            continue;
        }
        // The firm's files are on the disk before its record is, and its in-progress
        // mark goes only once the record is. A firm not registered keeps its mark, so
        // the next run redoes it; a failed insert has been put to the user already,
        // and the report tells it.
        const std::vector<std::string> failed(convert::FailedFiles().begin(), convert::FailedFiles().end());
        onItsWay.MakeDurableThenRegister(
            roots, directory, std::move(mark), firm.registry,
            [&firm, directory, failed, toHide = std::move(converted)](bool durable, bool registered,
                                                                      convert::InProgressMark& made) mutable {
                if (registered) convert::FinishFirm(made, toHide);
                convert::ReportFirmResult(firm.registry.Name(), directory,
                                          OutcomeOfConverted(durable, registered, !failed.empty()), failed);
            });
    }
    onItsWay.RegisterFirmsOnTheirWay();
    platform::InstalledConsole().SetTitle(kConsoleTitle);
    // A close that fails may have lost what the last inserts wrote. (A lock that
    // cannot be released keeps the file open; the file object's end closes it.)
    if (!registry.Close()) convert::ReportError("Błąd zamknięcia zbioru "_cp, registry.FileName());
}

}  // namespace

void RunFirmLoop(const Run& run) {
    {
        // Its end gives back the marks of the firms claimed for a redo and not converted.
        convert::ClaimedDirectories claims;
        std::vector<FirmRecord> firms;
        if (SelectFirms(run.paths, claims, firms)) {
            const platform::NameMemory names;  // the directories are looked up once for the conversion
            ConvertSelectedFirms(run, firms, claims);
        }
    }
    tui::ClearLog(false);
}

}  // namespace app
