#include "app/environment_detection.h"

#include <string>

#include "app/firm_table.h"
#include "app/registered_firms.h"
#include "convert/claimed_directories.h"
#include "convert/copy_steps.h"
#include "convert/file_names.h"
#include "convert/progress_log.h"
#include "convert/run_report.h"
#include "fileio/message_lines.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/process.h"
#include "product/environment.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"

namespace app {

namespace {

using namespace platform::literals;
using fileio::kRegistryRecordSize;

void LogLine(std::string_view text, std::string_view name) {
    convert::LogLineIn(convert::logcolour::Normal, text, name);
}

// Logs the line, closes the registry, waits for a key and ends the program.
[[noreturn]] void StopWith(std::string_view text, std::string_view name, platform::FileHandle& registry) {
    convert::LogFailureLine(text, name);
    platform::closeFile(registry);
    convert::LogWaitForKey();
    platform::exitProgram(0);
}

// Read-only and denying every other open.
bool OpenRegistry(const std::string& path, platform::FileHandle& registry) {
    return platform::openFile(path, platform::mode::ReadOnly | platform::mode::DenyAll, registry) ==
           platform::err::Ok;
}

bool ReadRecord(platform::FileHandle& registry, std::uint64_t index, fileio::RegistryRecord& record) {
    std::size_t done = 0;
    return platform::seekFile(registry, index * kRegistryRecordSize) == platform::err::Ok &&
           platform::readFile(registry, record.bytes.data(), record.bytes.size(), done) == platform::err::Ok &&
           done == record.bytes.size();
}

enum class Verdict { Taken, Converted, PassedOver, Missing };

Verdict FoundConverted(const std::string& target, const std::string& forFirm) {
    LogLine("Odnaleziono katalog docelowy ", target + forFirm);
    return Verdict::Converted;
}

// Whether the directory holds no entry at all; a search that fails finds something.
bool HoldsNothing(const std::string& directory) {
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    return search.first(directory + platform::kSeparator + "*", platform::attr::AnyFile, entry) ==
           platform::err::FileNotFound;
}

// A firm whose 2024 directory exists: its in-progress mark and the 2024 registry tell
// whether it was converted, is being converted by another run now, or was left half
// converted by a run cut short (then the directory, which the mark proves this
// program made, is emptied and the firm taken again). An empty directory without a
// mark and without a registered firm is taken as it is; one that holds anything is
// not this program's doing: a person decides.
Verdict ExamineTarget(const std::string& target, const fileio::RegistryRecord& record, const std::string& forFirm,
                      RegisteredFirms& registered) {
    // A second firm of a directory emptied for the first one.
    if (convert::MadeOrClaimedByThisRun(target)) return Verdict::Taken;
    const std::string directory = record.Directory();
    convert::ConversionMark mark;
    const convert::MarkFound found = mark.Look(target);
    if (found == convert::MarkFound::Busy) {
        // The other workstation's work: the summary counts the firm as passed over.
        convert::LogLineIn(convert::logcolour::Error, "Firma " + record.Name(),
                           " jest właśnie konwertowana na innym stanowisku"_cp);
        convert::ReportFirmResult(record.Name(), directory, convert::FirmOutcome::TakenElsewhere);
        return Verdict::PassedOver;
    }
    if (found == convert::MarkFound::Unreadable) {
        convert::ReportError("Błąd odczytu danych z "_cp, mark.Path());
        return Verdict::PassedOver;
    }
    const std::optional<bool> isRegistered = registered.Names(directory);
    // With the registry unreadable nothing is decided and nothing touched.
    if (!isRegistered) return FoundConverted(target, forFirm);
    if (found == convert::MarkFound::None) {
        if (*isRegistered) return FoundConverted(target, forFirm);
        if (HoldsNothing(target)) {
            // Cut short between making the directory and its mark: nothing to lose in
            // it. The mark, made exclusively at the firm's turn, settles a race with
            // another run that made the directory a moment ago.
            LogLine("Pusty katalog docelowy "_cp, target + forFirm + " - firma zostanie przeniesiona od nowa");
            convert::NoteMadeByThisRun(target);
            return Verdict::Taken;
        }
        convert::LogLineIn(convert::logcolour::Error, "Katalog " + target,
                           " istnieje, ale firmy " + record.Name() + " brak w " + product::RegistryFileName());
        return Verdict::PassedOver;
    }
    if (*isRegistered) {
        // Cut short between the insert and the removal of the mark.
        if (!mark.Remove()) convert::ReportError("Błąd usunięcia pliku "_cp, mark.Path());
        return FoundConverted(target, forFirm);
    }
    convert::LogLineIn(convert::logcolour::Error, std::string("Niedokończona konwersja firmy "_cp) + record.Name(),
                       " - zostanie powtórzona"_cp);
    if (platform::emptyDirectory(target, convert::kConversionMarkName) != platform::err::Ok) {
        convert::ReportError("Błąd usuwania zawartości katalogu "_cp, target);
        return Verdict::PassedOver;
    }
    convert::ClaimForRedo(target, std::move(mark));
    return Verdict::Taken;
}

// Whether the firm is taken, with the log line of a firm that is not. The 2024
// directory is tested first: a firm converted already is passed over even when its
// 2023 directory has gone since.
Verdict Examine(const RunPaths& paths, const fileio::RegistryRecord& record, RegisteredFirms& registered) {
    const std::string directory = record.Directory();
    const std::string forFirm = " dla firmy " + record.Name();
    if (!convert::IsPlainFileName(directory)) {
        convert::LogLineIn(convert::logcolour::Error, "Niepoprawna nazwa katalogu firmy "_cp, directory + forFirm);
        return Verdict::Missing;
    }
    const std::string target = paths.root2024 + directory;
    if (platform::directoryExists(target)) return ExamineTarget(target, record, forFirm, registered);
    const std::string source = paths.root2023 + directory;
    if (!platform::directoryExists(source)) {
        LogLine("Brak katalogu zródłowego    "_cp, source + forFirm);
        return Verdict::Missing;
    }
    return Verdict::Taken;
}

}  // namespace

std::uint16_t DetectEnvironment(const RunPaths& paths) {
    ReleaseFirmTable(kMaxFirms);
    convert::ClearLog(false);
    convert::LogWriteLine("ROZPOZNANIE ŚRODOWISKA PRACY KPR 2023"_cp);
    convert::LogWriteLine();

    const std::string& registryName = product::RegistryFileName();
    const std::string path = paths.root2023 + registryName;
    platform::FileHandle registry;
    if (!OpenRegistry(path, registry)) {
        LogLine("Błąd otwarcia/dostępu do pliku "_cp, path);
        tui::ErrorBox(tui::WithFailureReason(fileio::Centred("Brak dostępu do pliku"_cp) + tui::kLineEnd +
                                             fileio::Centred(path)));
        platform::exitProgram(0);
    }
    std::uint64_t size = 0;
    if (platform::fileSize(registry, size) != platform::err::Ok)
        StopWith("Błąd okreslenia długości pliku "_cp, registryName, registry);
    const std::uint64_t records = size / kRegistryRecordSize;
    if (records == 0) StopWith("Zerowa długość pliku "_cp, registryName, registry);

    RegisteredFirms registered(paths.root2024 + registryName);
    std::uint16_t count = 0;
    bool repair = false;
    std::uint64_t converted = 0;
    for (std::uint64_t index = 0; index < records; ++index) {
        if (count == kMaxFirms) {
            LogLine("Przekroczona maksymalna ilość firm "_cp, std::to_string(kMaxFirms));
            break;
        }
        fileio::RegistryRecord record;
        // A firm whose record cannot be read would be missing from the picker unseen.
        if (!ReadRecord(registry, index, record)) {
            convert::ReportError("Błąd odczytu danych z "_cp, path);
            continue;
        }
        switch (Examine(paths, record, registered)) {
            case Verdict::Taken:
                SetFirm(++count, record);
                break;
            case Verdict::Converted:
                ++converted;
                break;
            case Verdict::Missing:
                repair = true;
                break;
            case Verdict::PassedOver:
                break;
        }
    }
    platform::closeFile(registry);

    if (count == 0) {
        convert::LogWriteLine("Zerowa ilość odczytanych firm"_cp);
        // Not a fault of the registry: there is nothing left to convert.
        if (converted == records) {
            const std::string allDone = "Wszystkie firmy (" + std::to_string(converted) +
                                        std::string(") są już przeniesione do 2024 - nie ma czego konwertować"_cp);
            convert::LogWriteLine(allDone);
            convert::ReportRunNote(allDone);
        }
        convert::LogWaitForKey();
    }
    if (repair) {
        LogLine("Napraw plik ", registryName + " !");
        convert::LogWaitForKey();
    }
    return count;
}

}  // namespace app
