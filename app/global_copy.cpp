#include "app/global_copy.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "convert/copying/copy_steps.h"
#include "convert/copying/file_copy.h"
#include "convert/firm/interrupted_work.h"
#include "convert/options.h"
#include "convert/copying/overwrite.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/process.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"
#include "tui/polish_text.h"
#include "tui/text_device.h"

namespace app {

namespace {

using namespace platform::literals;
namespace global = convert::global;

constexpr std::string_view kTargetDirectory = "#BIN024";
constexpr std::string_view kSourceYear = "2023";
constexpr std::string_view kTargetYear = "2024";

constexpr std::uint16_t kAddressRecordSize = 480;
constexpr std::uint16_t kOperatorRecordSize = 512;

// Plain console output during the copy stays inside this region.
constexpr tui::Rect kCopyTextRegion{3, 3, 77, 20};

enum class CopyKind {
    Text,       // line by line, no filter
    Block,      // byte for byte
    Operators,  // records of the operator file, no filter
    Addresses,  // records of the address base, carried whole
};

struct GlobalStep {
    std::uint16_t item;        // the bit of the global item set that runs the step
    std::string_view logLine;  // written before the copy; none when empty
    std::string source;
    std::string target;
    CopyKind kind;
};

// "kpr_" + year + ".ini", the year configurator file of that year.
std::string YearConfiguratorName(std::string_view year) { return "kpr_" + std::string(year) + ".ini"; }

// The steps in the order they run. The salary settings are copied twice into the
// same target: last year's file, then the file that the 2023 program kept for 2024,
// which meets the first copy and goes through the overwrite question.
std::array<GlobalStep, 12> Steps() {
    return {{
        {global::AddressBase, "Globalna baza adresów"_cp, "baza_ad8.rek", "baza_ad8.rek", CopyKind::Addresses},
        {global::YearConfigurator, "Konfigurator kpr_2023.ini", YearConfiguratorName(kSourceYear),
         YearConfiguratorName(kTargetYear), CopyKind::Text},
        {global::StaffListSettings, {}, "kart01.cnf", "kart01.cnf", CopyKind::Block},
        {global::FunctionKeyConstants, "Globale stale klawiszy F2..F10", "baza_ff.txt", "baza_ff.txt",
         CopyKind::Block},
        {global::AddOnConfiguration, "Konfigurator KPR_QZ.INI", "KPR_QZ.INI", "KPR_QZ.INI", CopyKind::Block},
        {global::LastYearTaxConstants, "Zeszloroczne stale podatkowe", "2023spd.ini", "2023spd.ini", CopyKind::Block},
        {global::SalarySettings, "Globale ustawienia wynagrodzen", "2023_lp2.cc", "2024_lp2.cc", CopyKind::Block},
        {global::SalarySettings, {}, "2024_lp2.cc", "2024_lp2.cc", CopyKind::Block},
        {global::ColourSettings, "Ustawienia kolorów"_cp, "KOLORY.QZ", "KOLORY.QZ", CopyKind::Block},
        {global::OperatorFile, {}, "OPERATOR.REK", "OPERATOR.REK", CopyKind::Operators},
        {global::PayrollIniFiles, {}, "ZUS_PEL.INI", "ZUS_PEL.INI", CopyKind::Block},
        {global::PayrollIniFiles, {}, "UMOWY.INI", "UMOWY.INI", CopyKind::Block},
    }};
}

void RunStep(const GlobalStep& step, const std::string& sourceDir, const std::string& targetDir) {
    if (!step.logLine.empty()) tui::LogWriteLine(step.logLine);
    const std::string source = sourceDir + step.source;
    const std::string target = targetDir + step.target;
    switch (step.kind) {
        case CopyKind::Text:
            convert::CopyTextFile(source, target);
            break;
        case CopyKind::Block:
            convert::CopyBlocks(source, target);
            break;
        case CopyKind::Operators:
            convert::CopyRecords(source, target, kOperatorRecordSize);
            break;
        case CopyKind::Addresses:
            convert::ConvertRecords(source, target, kAddressRecordSize, kAddressRecordSize, convert::CopyWholeRecord);
            break;
    }
}

// An error box with two centred lines, then the end of the program.
[[noreturn]] void Stop(std::string_view reason, std::string_view path) {
    std::string text(1, tui::kCentre);
    text += reason;
    text += tui::kLineEnd;
    text += tui::kCentre;
    text += path;
    tui::ErrorBox(tui::WithFailureReason(text));
    platform::ExitProgram(0);
}

std::string TargetDirectory(const RunPaths& paths) { return paths.root2024 + std::string(kTargetDirectory); }

// Told with a key wait: the user goes on knowing that this run copies no global data.
void ReportBusyElsewhere() {
    platform::ForgetFailure();  // another workstation's copy: no failure to give a reason for
    convert::ReportError("Dane globalne są właśnie kopiowane na innym stanowisku - tu pominięte"_cp);
}

// The verdict on the in-progress mark of the global-data directory; mark holds it
// when it was left behind.
convert::WorkVerdict JudgeMark(const std::string& directory, convert::InProgressMark& mark) {
    const convert::WorkFound found{convert::WorkPlace::GlobalData, mark.Look(directory), std::nullopt, std::nullopt};
    return std::get<convert::WorkVerdict>(convert::JudgeInterruptedWork(found));
}

// Takes the in-progress mark of the global-data directory for this run: a new one, or
// one that a run cut short left, whose noted names come back in unfinished. The mark
// is on the disk before the first file it guards. False (told in the
// log) when another workstation is copying or the mark cannot be read, made or made
// durable: the global copy is then left out.
bool TakeMark(const std::string& directory, convert::InProgressMark& mark, std::vector<std::string>& unfinished) {
    int taken = platform::err::Ok;
    switch (JudgeMark(directory, mark)) {
        case convert::WorkVerdict::AtWorkElsewhere:
            ReportBusyElsewhere();
            return false;
        case convert::WorkVerdict::Redo:
            // Left as it is: the names stay noted however often the copy is cut short.
            if (mark.NotedNames(unfinished)) break;
            convert::ReportError("Błąd odczytu danych z "_cp, mark.Path());
            return false;
        case convert::WorkVerdict::StartAfresh:
            taken = mark.Make(directory);
            break;
        case convert::WorkVerdict::MarkUnreadable:
        default:  // the other verdicts are a firm directory's
            convert::ReportError("Błąd odczytu danych z "_cp, mark.Path());
            return false;
    }
    if (taken == platform::err::AlreadyExists || taken == platform::err::LockViolation) {
        ReportBusyElsewhere();
        return false;
    }
    if (taken != platform::err::Ok || platform::MakeDurable(directory) != platform::err::Ok) {
        convert::ReportError("Błąd zapisu danych do "_cp, mark.Path());
        mark.Release();
        return false;
    }
    return true;
}

// While the items are copied: every target is noted in the mark before it is
// touched, and a target that the run before left unfinished is rewritten without the
// overwrite question the first time the copy meets it (a later copy into the same
// file asks as one uninterrupted run would).
class MarkedTargets {
public:
    MarkedTargets(convert::InProgressMark& mark, const std::vector<std::string>& unfinished) {
        for (const std::string& name : unfinished) unfinished_.insert(tui::UpperString(name));
        convert::SetUnaskedRewrite([this](std::string_view target) { return unfinished_.contains(KeyOf(target)); });
        convert::SetTargetNotice([this, &mark](std::string_view target) {
            unfinished_.erase(KeyOf(target));
            if (mark.Note(NameOf(target))) return true;
            convert::ReportError("Błąd zapisu danych do "_cp, mark.Path());
            return false;
        });
    }
    ~MarkedTargets() {
        convert::SetTargetNotice({});
        convert::SetUnaskedRewrite({});
    }
    MarkedTargets(const MarkedTargets&) = delete;
    MarkedTargets& operator=(const MarkedTargets&) = delete;

private:
    static std::string NameOf(std::string_view target) {
        return std::string(target.substr(target.find_last_of(platform::kSeparator) + 1));
    }
    static std::string KeyOf(std::string_view target) { return tui::UpperString(NameOf(target)); }

    std::set<std::string> unfinished_;
};

// The copied files are on the disk before the mark goes; a mark that stays makes the
// next run repeat the copy.
void FinishMark(const std::string& directory, convert::InProgressMark& mark) {
    if (platform::MakeDurable(directory) != platform::err::Ok) {
        convert::ReportError("Błąd zapisu danych do "_cp, directory);
        return;
    }
    if (!mark.Remove()) convert::ReportError("Błąd usunięcia pliku "_cp, mark.Path());
}

// Puts the console's text region back however the copy ends.
class TextRegionKeeper {
public:
    TextRegionKeeper() : saved_(tui::SaveTextDevice()) {}
    ~TextRegionKeeper() { tui::RestoreTextDevice(saved_); }
    TextRegionKeeper(const TextRegionKeeper&) = delete;
    TextRegionKeeper& operator=(const TextRegionKeeper&) = delete;

private:
    tui::TextDeviceState saved_;
};

}  // namespace

void RunGlobalCopy(const RunPaths& paths, const convert::Options& options) {
    TextRegionKeeper region;
    tui::SetTextRegion(kCopyTextRegion);
    const platform::NameMemory names;  // the directories are looked up once for the copy

    const std::string sourceDir = paths.root2023 + options.globalSourceDir;
    if (!platform::DirectoryExists(sourceDir)) Stop("Brak katalogu zródłowego"_cp, sourceDir);
    const std::string targetDir = TargetDirectory(paths);
    if (!platform::DirectoryExists(targetDir) && platform::MakeDirectory(targetDir) != platform::err::Ok)
        Stop("Utworzenia katalogu", targetDir);

    convert::InProgressMark mark;
    std::vector<std::string> unfinished;
    if (TakeMark(targetDir, mark, unfinished)) {
        {
            const MarkedTargets marked(mark, unfinished);
            for (const GlobalStep& step : Steps())
                if (options.Has(options.globalItems, step.item))
                    RunStep(step, sourceDir + platform::kSeparator, targetDir + platform::kSeparator);
        }
        FinishMark(targetDir, mark);
    }

    if (options.stopAfterEachFirm) {
        tui::LogWriteLine("cdn - nacisnij dowolny klawisz.");
        tui::LogWaitForKey();
    }
    tui::ClearLog(false);
}

bool GlobalCopyLeftUnfinished(const RunPaths& paths) {
    convert::InProgressMark mark;
    if (JudgeMark(TargetDirectory(paths), mark) != convert::WorkVerdict::Redo) return false;
    convert::LogLineIn(tui::logcolour::Error,
                       "Niedokończone kopiowanie danych globalnych - zostanie powtórzone"_cp);
    return true;
}

}  // namespace app
