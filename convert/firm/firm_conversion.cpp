#include "convert/firm/firm_conversion.h"

#include <array>

#include "convert/annual/annual_settings.h"
#include "convert/copying/copy_steps.h"
#include "convert/copying/file_names.h"
#include "convert/copying/file_size.h"
#include "convert/firm/firm_failures.h"
#include "convert/firm/firm_items.h"
#include "product/records/firm_records.h"
#include "convert/options.h"
#include "tui/progress_log.h"
#include "fileio/message_lines.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/before_wait.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"
#include "tui/window.h"

namespace convert {

namespace {

using namespace platform::literals;

using FirmYears = std::array<std::uint8_t, product::FirmYearsRecord::kSize>;
constexpr std::string_view kFirmYearsFile = "_qz_kpr.rek";
constexpr std::uint16_t kYear = 2024;

// The firm's progress log in a window over the whole screen. The log goes on where it
// was, so its rows are drawn again in the window (the firm's heading stays in view);
// closing the window brings back the screen as it was before the firm.
class FirmWindow {
public:
    FirmWindow() {
        if (tui::OpenWindow(tui::Rect{1, 1, tui::kLogColumns, tui::kLogRows},
                            tui::WindowStyle{.interior = tui::logcolour::Normal, .framed = false}, "", window_))
            tui::RedrawLog();
    }
    ~FirmWindow() { tui::CloseWindow(window_); }
    FirmWindow(const FirmWindow&) = delete;
    FirmWindow& operator=(const FirmWindow&) = delete;

private:
    tui::Window* window_ = nullptr;
};

// Counts the failures of the firm's files while the firm is converted.
class CountedFailures {
public:
    CountedFailures() { StartFirmFailures(); }
    ~CountedFailures() { EndFirmFailures(); }
    CountedFailures(const CountedFailures&) = delete;
    CountedFailures& operator=(const CountedFailures&) = delete;
};

// The annual settings of 2023, or at least those of 2024 that the 2023 program kept.
bool HasAnnualSettings(const FirmPaths& firm) {
    const std::string of2023 = firm.SourceFile("2023_ROK.REK");
    if (FileIsPresent(of2023)) return true;
    tui::LogWriteLine("Brak :" + of2023);
    const std::string of2024 = firm.SourceFile("2024_ROK.REK");
    if (FileIsPresent(of2024)) return true;
    tui::LogWriteLine("Brak :" + of2024);
    tui::LogWriteLine();
    tui::LogWriteLine("Brak danych za rok 2023 czy 2024");
    ReportError("Nie można dokonać konwersji ..."_cp);
    return false;
}

bool ReadFirmYears(const FirmPaths& firm, FirmYears& years) {
    const std::string path = firm.SourceFile(kFirmYearsFile);
    platform::FileHandle file;
    if (platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) != platform::err::Ok) {
        ReportError("Brak dostepu do ", path);
        return false;
    }
    std::size_t done = 0;
    const bool read = platform::ReadFromFile(file, years.data(), years.size(), done) == platform::err::Ok &&
                      done == years.size();
    platform::CloseFile(file);  // only read: a failed close loses nothing
    if (!read) ReportError("Błąd odczytu danych z "_cp, path);
    return read;
}

// The firm's 2024 directory, made exclusively, with its in-progress mark held before
// anything else is written there. A directory that exists already is used only when
// this run made it (two firms of one registry may share one) or emptied it for a
// redo; otherwise another run has made it since the detection, and the firm is
// passed over without touching anything in it: that is the other workstation's
// work, not a failure of this run, and the run goes on without waiting for a key.
FirmConversion TakeTargetDirectory(const FirmPaths& firm, ClaimedDirectories& claims, InProgressMark& mark) {
    mark = claims.TakeMark(firm.target);
    int marked = platform::err::Ok;
    if (mark.Held()) {
        marked = mark.Stamp() ? platform::err::Ok : platform::err::GeneralFailure;
    } else {
        const int made = platform::MakeDirectory(firm.target);
        if (made == platform::err::Ok) {
            claims.NoteMade(firm.target);
        } else if (made != platform::err::AlreadyExists || !platform::DirectoryExists(firm.target)) {
            tui::ErrorBox(fileio::Centred("Utworzenia katalogu firmy") + tui::kLineEnd + fileio::Centred(firm.target) +
                          tui::kLineEnd + fileio::Centred(tui::FailureReason(made)));
            return FirmConversion::NotConverted;
        } else if (!claims.MadeOrClaimed(firm.target)) {
            marked = platform::err::AlreadyExists;
        }
        if (marked == platform::err::Ok) marked = mark.Make(firm.target);
    }
    if (marked == platform::err::AlreadyExists || marked == platform::err::LockViolation) {
        LogLineIn(tui::logcolour::Error, "Katalog zajęty przez inną konwersję, firma pominięta: "_cp, firm.target);
        return FirmConversion::TakenElsewhere;
    }
    if (marked != platform::err::Ok) {
        ReportError("Błąd zapisu danych do "_cp, firm.target + platform::kSeparator + std::string(kInProgressMarkName));
        return FirmConversion::NotConverted;
    }
    return FirmConversion::Converted;
}

// The firm's year file of 2023 with its years set to 2024, telling the bookkeeping program that the directory
// holds 2024 data made by the converter.
bool WriteFirmYears(const FirmPaths& firm, FirmYears& years) {
    const std::string path = firm.TargetFile(kFirmYearsFile);
    platform::FileHandle file;
    if (const int created = platform::CreateOrTruncateFile(path, file); created != platform::err::Ok) {
        ReportError("Brak dostępu do "_cp, path, created);
        return false;
    }
    product::WriteWord(years, product::FirmYearsRecord::kYear1, kYear);
    product::WriteWord(years, product::FirmYearsRecord::kYear2, kYear);
    product::WriteWord(years, product::FirmYearsRecord::kYear3, kYear);
    product::WriteByte(years, product::FirmYearsRecord::kConverted, 1);
    std::size_t done = 0;
    int written = platform::WriteToFile(file, years.data(), years.size(), done);
    if (const int closed = platform::CloseFile(file); written == platform::err::Ok) written = closed;
    if (written == platform::err::Ok) return true;
    // A year file that is not whole on the disk would pass the directory off as converted.
    ReportError("Błąd zapisu danych do "_cp, path, written);
    DiscardCopyTarget(path);
    return false;
}

// The firm's year file and everything after it; false when the year file could not be written.
bool ConvertContents(const FirmPaths& firm, FirmYears& years, std::span<const std::string> extraFiles,
                     const Options& options, ConvertedFiles& converted) {
    tui::LogPause();
    tui::LogWriteLine("Kopiowanie właściwe"_cp);
    if (!WriteFirmYears(firm, years)) return false;
    StaffTransfer staff;
    FirmCopies copies(firm, extraFiles, options, staff, converted);
    ConvertAnnualSettings(firm, options.decemberWarning, copies.annual);
    RunFirmItems(copies);
    return true;
}

}  // namespace

FirmConversion ConvertFirm(const Options& options, const DataRoots& roots, std::string_view name,
                           std::string_view directory, std::span<const std::string> extraFiles,
                           ClaimedDirectories& claims, InProgressMark& mark, ConvertedFiles& toHide) {
    const CountedFailures failures;
    FirmWindow window;
    if (!IsPlainFileName(directory)) {
        ReportError("Niepoprawna nazwa katalogu firmy "_cp, directory);
        return FirmConversion::NotConverted;
    }
    const FirmPaths firm = PathsOfFirm(roots, directory);
    FirmYears years{};
    if (!HasAnnualSettings(firm) || !ReadFirmYears(firm, years)) return FirmConversion::NotConverted;
    if (const FirmConversion taken = TakeTargetDirectory(firm, claims, mark); taken != FirmConversion::Converted)
        return taken;
    const bool converted = ConvertContents(firm, years, extraFiles, options, toHide);
    if (DiskFullMet()) {
        // The failed write has removed its partial file and waited for no key: this
        // box is the one wait of a full disk.
        tui::ErrorBox(fileio::Centred("Brak miejsca na dysku") + tui::kLineEnd + fileio::Centred(roots.year2024));
        return FirmConversion::NotConverted;
    }
    if (!converted) return FirmConversion::NotConverted;

    tui::LogWriteLine("Koniec konwersji danych firmy");
    const bool accepted = AcceptFirm(name);
    if (options.stopAfterEachFirm) {
        tui::DoBeforeWait();  // the prompt is in the text colour
        tui::LogWrite("cdn - naciśnij dowolny klawisz."_cp);
        tui::LogWaitForKey();
    }
    return accepted ? FirmConversion::Converted : FirmConversion::NotConverted;
}

void FinishFirm(InProgressMark& mark, ConvertedFiles& toHide) {
    if (!mark.Remove()) ReportError("Błąd usunięcia pliku "_cp, mark.Path());
    toHide.Rename();
}

}  // namespace convert
