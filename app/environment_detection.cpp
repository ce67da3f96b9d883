#include "app/environment_detection.h"

#include <optional>
#include <string>

#include "app/registered_firms.h"
#include "convert/copying/copy_steps.h"
#include "convert/copying/file_names.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "fileio/message_lines.h"
#include "fileio/registry_reader.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "product/environment.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"

namespace app {

namespace {

using namespace platform::literals;

void LogLine(std::string_view text, std::string_view name) {
    convert::LogLineIn(tui::logcolour::Normal, text, name);
}

// Logs the line, closes the registry, waits for a key and ends the program.
[[noreturn]] void StopWith(std::string_view text, std::string_view name, fileio::RegistryReader& registry) {
    convert::LogFailureLine(text, name);
    registry.Close();
    tui::LogWaitForKey();
    platform::ExitProgram(0);
}

enum class Verdict { Taken, Converted, PassedOver, Missing };

Verdict FoundConverted(const std::string& target, const std::string& forFirm) {
    LogLine("Odnaleziono katalog docelowy ", target + forFirm);
    return Verdict::Converted;
}

convert::Registration RegistrationOf(const std::optional<bool>& isRegistered) {
    if (!isRegistered) return convert::Registration::RegistryUnreadable;
    return *isRegistered ? convert::Registration::Registered : convert::Registration::NotRegistered;
}

// A firm whose 2024 directory exists: taken, passed over or counted as converted by
// the verdict on the work found there, with the verdict's log line and its action.
Verdict ExamineTarget(const std::string& target, const fileio::RegistryRecord& record, const std::string& forFirm,
                      RegisteredFirms& registered, convert::ClaimedDirectories& claims) {
    // A second firm of a directory emptied for the first one.
    if (claims.MadeOrClaimed(target)) return Verdict::Taken;
    const std::string directory = record.Directory();
    convert::InProgressMark mark;
    const convert::WorkVerdict verdict = convert::JudgeFirmDirectory(
        target, mark, [&] { return RegistrationOf(registered.Names(directory)); });
    switch (verdict) {
        case convert::WorkVerdict::AtWorkElsewhere:
            // The other workstation's work: the summary counts the firm as passed over.
            convert::LogLineIn(tui::logcolour::Error, "Firma " + record.Name(),
                               " jest właśnie konwertowana na innym stanowisku"_cp);
            convert::ReportFirmResult(record.Name(), directory, convert::FirmOutcome::TakenElsewhere);
            return Verdict::PassedOver;
        case convert::WorkVerdict::MarkUnreadable:
            convert::ReportError("Błąd odczytu danych z "_cp, mark.Path());
            return Verdict::PassedOver;
        case convert::WorkVerdict::RegistryUnreadable:
            // Nothing decided, nothing touched; counted with the converted firms, as
            // the directory may well be one.
            LogLine("Nie odczytano rejestru firm 2024, pominięto "_cp, target + forFirm);
            return Verdict::Converted;
        case convert::WorkVerdict::Converted:
            return FoundConverted(target, forFirm);
        case convert::WorkVerdict::ConvertedMarkLeft:
            if (!mark.Remove()) convert::ReportError("Błąd usunięcia pliku "_cp, mark.Path());
            return FoundConverted(target, forFirm);
        case convert::WorkVerdict::StartAfresh:
            // The mark, made exclusively at the firm's turn, settles a race with
            // another run that made the directory a moment ago.
            LogLine("Pusty katalog docelowy "_cp, target + forFirm + " - firma zostanie przeniesiona od nowa");
            claims.NoteMade(target);
            return Verdict::Taken;
        case convert::WorkVerdict::Redo:
            convert::LogLineIn(tui::logcolour::Error,
                               std::string("Niedokończona konwersja firmy "_cp) + record.Name(),
                               " - zostanie powtórzona"_cp);
            if (claims.ClaimForRedo(target, mark)) return Verdict::Taken;
            convert::ReportError("Błąd usuwania zawartości katalogu "_cp, target);
            return Verdict::PassedOver;
        case convert::WorkVerdict::NotThisProgramsWork:
            break;
    }
    convert::LogLineIn(tui::logcolour::Error, "Katalog " + target,
                       " istnieje, ale firmy " + record.Name() + " brak w " + product::RegistryFileName());
    return Verdict::PassedOver;
}

// Whether the firm is taken, with the log line of a firm that is not. The 2024
// directory is tested first: a firm converted already is passed over even when its
// 2023 directory has gone since.
Verdict Examine(const RunPaths& paths, const fileio::RegistryRecord& record, RegisteredFirms& registered,
                convert::ClaimedDirectories& claims) {
    const std::string directory = record.Directory();
    const std::string forFirm = " dla firmy " + record.Name();
    if (!convert::IsPlainFileName(directory)) {
        convert::LogLineIn(tui::logcolour::Error, "Niepoprawna nazwa katalogu firmy "_cp, directory + forFirm);
        return Verdict::Missing;
    }
    const std::string target = paths.root2024 + directory;
    if (convert::FirmDirectoryExists(target)) return ExamineTarget(target, record, forFirm, registered, claims);
    const std::string source = paths.root2023 + directory;
    if (!convert::FirmDirectoryExists(source)) {
        LogLine("Brak katalogu zródłowego    "_cp, source + forFirm);
        return Verdict::Missing;
    }
    return Verdict::Taken;
}

}  // namespace

std::vector<FirmRecord> DetectEnvironment(const RunPaths& paths, convert::ClaimedDirectories& claims) {
    tui::ClearLog(false);
    tui::LogWriteLine("ROZPOZNANIE ŚRODOWISKA PRACY KPR 2023"_cp);
    tui::LogWriteLine();

    const std::string& registryName = product::RegistryFileName();
    const std::string path = paths.root2023 + registryName;
    fileio::RegistryReader registry(path);
    if (!registry.Open()) {
        LogLine("Błąd otwarcia/dostępu do pliku "_cp, path);
        tui::ErrorBox(tui::WithFailureReason(fileio::Centred("Brak dostępu do pliku"_cp) + tui::kLineEnd +
                                             fileio::Centred(path)));
        platform::ExitProgram(0);
    }
    std::uint64_t records = 0;
    if (!registry.CountRecords(records)) StopWith("Błąd okreslenia długości pliku "_cp, registryName, registry);
    if (records == 0) StopWith("Zerowa długość pliku "_cp, registryName, registry);

    RegisteredFirms registered(paths.root2024 + registryName);
    std::vector<FirmRecord> firms;
    bool repair = false;
    std::uint64_t converted = 0;
    for (std::uint64_t index = 0; index < records; ++index) {
        if (firms.size() == kMaxFirms) {
            LogLine("Przekroczona maksymalna ilość firm "_cp, std::to_string(kMaxFirms));
            break;
        }
        fileio::RegistryRecord record;
        // A firm whose record cannot be read would be missing from the picker unseen.
        if (!registry.Read(index, record)) {
            convert::ReportError("Błąd odczytu danych z "_cp, path);
            continue;
        }
        switch (Examine(paths, record, registered, claims)) {
            case Verdict::Taken:
                firms.push_back(FirmRecord{record});
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
    registry.Close();

    if (firms.empty()) {
        tui::LogWriteLine("Zerowa ilość odczytanych firm"_cp);
        // Not a fault of the registry: there is nothing left to convert.
        if (converted == records) {
            const std::string allDone = "Wszystkie firmy (" + std::to_string(converted) +
                                        std::string(") są już przeniesione do 2024 - nie ma czego konwertować"_cp);
            tui::LogWriteLine(allDone);
            convert::ReportRunNote(allDone);
        }
        tui::LogWaitForKey();
    }
    if (repair) {
        LogLine("Napraw plik ", registryName + " !");
        tui::LogWaitForKey();
    }
    return firms;
}

}  // namespace app
