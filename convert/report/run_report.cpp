#include "convert/report/run_report.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "convert/report/local_time_text.h"
#include "tui/progress_log.h"
#include "fileio/busy_file.h"
#include "platform/clock.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/failure_reason.h"
#include "tui/journal.h"

namespace convert {

namespace {

using namespace platform::literals;

// A point to check and how often it was made in its firm.
struct CheckPoint {
    std::string text;
    int count = 1;
};

// The points to check of one firm, named as its result line names it.
struct FirmChecks {
    std::string directory;
    std::string label;
    std::vector<CheckPoint> points;
};

// The last line put, held back: the next line shows whether it repeats, and a
// point to check noted meanwhile marks it.
struct HeldLine {
    bool held = false;
    std::string text;
    int repeats = 0;  // how many times more it came at once
    bool marked = false;
};

struct Report {
    std::string path;  // empty until a report is begun
    platform::FileHandle file;
    bool broken = false;  // opening or a write failed: nothing more is written
    bool resultsNotOnDisk = false;  // firm results written since the last flush
    std::uint32_t startTick = 0;
    int registered = 0;
    int notConverted = 0;
    int passedOver = 0;
    std::string firm;       // the directory of the firm at hand; empty outside firms
    std::string lastError;  // the last line shown in the error colour
    std::string answer;     // an answer line that waits for its prompt's line to end
    std::vector<std::string> personsLeft;
    std::vector<std::string> failures;
    std::vector<std::string> registeredIncomplete;  // each firm with its failed files
    std::string unwritten;  // lines put but not yet written: they go out in batches
    HeldLine heldLine;
    int recordsDropped = 0;
    std::vector<FirmChecks> toCheck;  // the firms with points to check, in the run's order
    std::vector<std::string> notes;
};

// Lines go to the file once this much has gathered, and whenever the report must be
// on the disk (a firm's result, an error shown, an answer given, the summary).
constexpr std::size_t kBatchBytes = 4096;

// The one report of the run, which every part of the run hands its lines to.
Report gReport;

void GiveUp() {
    gReport.broken = true;
    gReport.unwritten.clear();
    gReport.heldLine = HeldLine{};
    // The report is given up already and the last screen will say so: a close that
    // fails as well changes nothing.
    if (gReport.file.IsOpen()) static_cast<void>(platform::CloseFile(gReport.file));
}

void Append(std::string_view line) {
    gReport.unwritten += platform::cp852::ToUtf8(line, platform::cp852::Controls::AsGlyphs) + "\r\n";
}

// The held line goes among the lines to be written, with its mark and its count.
void ReleaseHeld() {
    HeldLine& line = gReport.heldLine;
    if (!line.held) return;
    std::string text = line.marked ? "! " + line.text : line.text;
    if (line.repeats > 0) text += " (" + std::to_string(line.repeats + 1) + " razy)";
    Append(text);
    line = HeldLine{};
}

enum class Held { Kept, Released };

// Appends the text at the file's end under the file's first-byte lock: the run of
// another workstation over the same 2024 root appends to the same report, and only
// once the lock is held is the size the file's own rather than one that a network
// drive cached, so neither run writes over the other's lines. The lock is tried as
// the file layer tries its locks. done counts the bytes written; the error of the
// step that failed.
int AppendAtEnd(platform::FileHandle& file, const std::string& text, std::size_t& done) {
    const int locked = fileio::RetryBriefly([&] { return platform::LockRange(file, 0, 1); });
    if (locked != platform::err::Ok) return locked;
    std::uint64_t size = 0;
    int result = platform::FileSize(file, size);
    if (result == platform::err::Ok) result = platform::SeekFile(file, size);
    if (result == platform::err::Ok) result = platform::WriteToFile(file, text.data(), text.size(), done);
    const int unlocked = platform::UnlockRange(file, 0, 1);
    return result != platform::err::Ok ? result : unlocked;
}

// Writes the lines gathered so far; the held line too when asked. On a full disk
// what did not fit waits for the next write: a full disk ends the run, whose summary
// is wanted most.
void WriteUnwritten(Held held) {
    if (held == Held::Released) ReleaseHeld();
    if (!gReport.file.IsOpen() || gReport.unwritten.empty()) return;
    std::size_t done = 0;
    const int written = AppendAtEnd(gReport.file, gReport.unwritten, done);
    if (written == platform::err::DiskFull) {
        gReport.unwritten.erase(0, done);
        return;
    }
    if (written != platform::err::Ok) GiveUp();
    gReport.unwritten.clear();
}

// Writes what is gathered, the held line too, and makes the report durable, so
// that a run cut short keeps it; a report that cannot be made durable is given up
// like one that cannot be written.
void MakeDurable() {
    WriteUnwritten(Held::Released);
    if (gReport.file.IsOpen() && platform::FlushFile(gReport.file) != platform::err::Ok) GiveUp();
}

// One line of the report: code page 852 in, UTF-8 with CR LF out. A line that
// repeats the one before at once is counted; an empty one never is.
void Put(std::string_view line, bool marked = false) {
    if (!gReport.file.IsOpen()) return;
    HeldLine& held = gReport.heldLine;
    if (held.held && !line.empty() && line == held.text) {
        ++held.repeats;
        held.marked = held.marked || marked;
        return;
    }
    ReleaseHeld();
    held = HeldLine{true, std::string(line), 0, marked};
    if (gReport.unwritten.size() >= kBatchBytes) WriteUnwritten(Held::Kept);
}

void PutWaitingAnswer() {
    if (gReport.answer.empty()) return;
    Put(gReport.answer);
    gReport.answer.clear();
}

void Listen(tui::JournalEntry entry, std::string_view text, std::string_view answer) {
    switch (entry) {
        case tui::JournalEntry::Shown:
            Put(text);
            break;
        case tui::JournalEntry::ShownAsError:
            // A failure's reason belongs to the failure it follows.
            if (text.starts_with(tui::kReasonStart) && !gReport.lastError.empty())
                gReport.lastError += " (" + std::string(text) + ")";
            else
                gReport.lastError = text;
            Put(text, true);
            WriteUnwritten(Held::Released);
            break;
        case tui::JournalEntry::Answered:
            gReport.answer = "? " + std::string(text) + std::string(" -- odpowiedź: "_cp) + std::string(answer);
            // A prompt in the log ends its line only after the answer: the answer
            // follows that line.
            if (!tui::LogLineSoFar().empty()) return;
            break;
    }
    PutWaitingAnswer();
    if (entry == tui::JournalEntry::Answered) WriteUnwritten(Held::Kept);
}

// An existing report is opened; a missing one is created, exclusively: a report that
// another workstation's run made in between is opened, never emptied. Every write
// goes to the end (appendAtEnd).
bool OpenForAppend(const std::string& path, platform::FileHandle& file) {
    constexpr std::uint8_t kMode = platform::mode::WriteOnly | platform::mode::DenyNone;
    int result = platform::OpenSharedFile(path, kMode, file);
    if (result == platform::err::FileNotFound) result = platform::CreateNewFile(path, file);
    if (result == platform::err::AlreadyExists) result = platform::OpenSharedFile(path, kMode, file);
    return result == platform::err::Ok;
}

std::string TwoDigits(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", value % 100);
    return text;
}

std::string Duration(std::uint32_t ms) {
    const std::uint32_t seconds = ms / 1000;
    return std::to_string(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

// What happened to a firm or a person, named after the firm it belongs to.
std::string OfFirm(std::string_view text) {
    return "   " + (gReport.firm.empty() ? std::string() : gReport.firm + ": ") + std::string(text);
}

std::string_view OutcomeText(FirmOutcome outcome) {
    switch (outcome) {
        case FirmOutcome::Registered: return "przeniesiona i wpisana do rejestru 2024"_cp;
        case FirmOutcome::RegisteredIncomplete:
            return "przeniesiona z błędami, wpisana do rejestru 2024 (odpowiedź T)"_cp;
        case FirmOutcome::LeftIncomplete:
            return "przeniesiona z błędami, NIE wpisana do rejestru 2024 "
                   "(odpowiedź N: następny przebieg przeniesie ją od nowa)"_cp;
        case FirmOutcome::NotRegistered: return "przeniesiona, ale NIE wpisana do rejestru 2024"_cp;
        case FirmOutcome::NotConverted: return "NIE przeniesiona"_cp;
        case FirmOutcome::NotTaken: return "NIE przeniesiona (nie podjęta: brak miejsca na dysku)"_cp;
        case FirmOutcome::PassedOver: return "pominięta (nie zaznaczona)"_cp;
        case FirmOutcome::TakenElsewhere: return "pominięta (konwertowana na innym stanowisku)"_cp;
    }
    return {};
}

// The failed files by name, as the firm's directory holds them.
std::string FileNames(std::span<const std::string> paths) {
    std::string names;
    for (const std::string& path : paths) {
        if (!names.empty()) names += ", ";
        names += path.substr(path.find_last_of(platform::kSeparator) + 1);
    }
    return names;
}

void PutList(std::string_view title, const std::vector<std::string>& lines) {
    Put(std::string(title) + std::to_string(lines.size()));
    for (const std::string& line : lines) Put(line);
}

std::string PointLine(const CheckPoint& point) {
    std::string line = "   - " + point.text;
    if (point.count > 1) line += " (" + std::to_string(point.count) + " razy)";
    return line;
}

// The points of the firm in directory, or none.
FirmChecks* ChecksOf(std::string_view directory) {
    const auto found = std::find_if(gReport.toCheck.begin(), gReport.toCheck.end(),
                                    [directory](const FirmChecks& firm) { return firm.directory == directory; });
    return found == gReport.toCheck.end() ? nullptr : &*found;
}

// The run's counts, as the summary and the last screen show them.
std::vector<std::string> CountLines() {
    std::vector<std::string> lines = {
        "Firmy przeniesione i wpisane do rejestru 2024: " + std::to_string(gReport.registered),
        "Firmy nieprzeniesione lub niewpisane: " + std::to_string(gReport.notConverted),
        std::string("Firmy pominięte: "_cp) + std::to_string(gReport.passedOver),
        std::string("Rekordy pominięte: "_cp) + std::to_string(gReport.recordsDropped),
        "Do sprawdzenia: " + std::to_string(gReport.toCheck.size()) + " firm",
    };
    lines.insert(lines.end(), gReport.notes.begin(), gReport.notes.end());
    return lines;
}

}  // namespace

void OpenRunReport(std::string_view path, std::span<const std::string> header) {
    gReport = Report{};
    if (path.empty()) return;
    gReport.path = path;
    gReport.startTick = platform::InstalledClock().TickMs();
    if (!OpenForAppend(gReport.path, gReport.file)) {
        GiveUp();
        return;
    }
    Put("");
    Put("=== Raport przebiegu " + LocalDateTimeText() + " ===");
    for (const std::string& line : header) Put(line);
    Put("");
    MakeDurable();
    tui::SetJournalListener(Listen);
}

void ReportFirmStart(std::string_view directory) {
    gReport.firm = directory;
    gReport.lastError.clear();
}

void ReportFirmResult(std::string_view name, std::string_view directory, FirmOutcome outcome,
                      std::span<const std::string> failedFiles) {
    std::string line = "= Firma " + std::string(name) + " [" + std::string(directory) + "]: ";
    line += OutcomeText(outcome);
    switch (outcome) {
        case FirmOutcome::Registered: ++gReport.registered; break;
        case FirmOutcome::RegisteredIncomplete:
            ++gReport.registered;
            gReport.registeredIncomplete.push_back("   " + std::string(directory) + ": " + FileNames(failedFiles));
            break;
        case FirmOutcome::LeftIncomplete:
        case FirmOutcome::NotRegistered:
        case FirmOutcome::NotConverted:
        case FirmOutcome::NotTaken: ++gReport.notConverted; break;
        case FirmOutcome::PassedOver:
        case FirmOutcome::TakenElsewhere: ++gReport.passedOver; break;
    }
    if (outcome == FirmOutcome::NotConverted && !gReport.lastError.empty()) {
        line += ": " + gReport.lastError;
    } else if (!failedFiles.empty()) {
        line += std::string("; błędy przy plikach: "_cp) + FileNames(failedFiles);
    }
    Put(line);
    if (FirmChecks* checks = ChecksOf(directory); checks && !directory.empty()) {
        checks->label = std::string(name) + " [" + std::string(directory) + "]";
        for (const CheckPoint& point : checks->points) Put(PointLine(point), true);
    }
    gReport.firm.clear();
    WriteUnwritten(Held::Released);
    gReport.resultsNotOnDisk = true;
}

std::string_view ReportToWriteToDisk() {
    return gReport.resultsNotOnDisk && gReport.file.IsOpen() ? std::string_view(gReport.path) : std::string_view();
}

void ReportWrittenToDisk(int result) {
    if (result != platform::err::Ok && gReport.file.IsOpen()) GiveUp();
    gReport.resultsNotOnDisk = false;
}

// A firm finished before another one began was the firm at hand itself: after it
// the report is outside firms.
ReportFirmFinishing::ReportFirmFinishing(std::string_view directory) {
    if (gReport.firm == directory) return;
    firmAtHand_ = std::exchange(gReport.firm, std::string(directory));
    lastErrorAtHand_ = std::exchange(gReport.lastError, {});
}

ReportFirmFinishing::~ReportFirmFinishing() {
    gReport.firm = std::move(firmAtHand_);
    gReport.lastError = std::move(lastErrorAtHand_);
}

void ReportPersonLeft(std::string_view name, std::string_view why) {
    gReport.personsLeft.push_back(OfFirm(std::string(name) + std::string(why)));
    ReportToCheck("osoba nieprzeniesiona: " + std::string(name) + std::string(why));
}

void ReportFailure(std::string_view line) {
    gReport.failures.push_back(OfFirm(line));
    ReportToCheck(std::string("błąd pliku: "_cp) + std::string(line));
}

void ReportToCheck(std::string_view point, CheckKind kind, CheckLine line) {
    if (line == CheckLine::JustEnded) {
        if (!gReport.answer.empty()) {
            if (!gReport.answer.starts_with("! ")) gReport.answer.insert(0, "! ");
        } else if (gReport.heldLine.held) {
            gReport.heldLine.marked = true;
        }
    }
    if (kind == CheckKind::RecordDropped) ++gReport.recordsDropped;
    if (gReport.toCheck.empty() || gReport.toCheck.back().directory != gReport.firm) {
        const std::string label = gReport.firm.empty() ? std::string("dane globalne") : gReport.firm;
        gReport.toCheck.push_back(FirmChecks{gReport.firm, label, {}});
    }
    std::vector<CheckPoint>& points = gReport.toCheck.back().points;
    const auto same =
        std::find_if(points.begin(), points.end(), [point](const CheckPoint& made) { return made.text == point; });
    if (same != points.end())
        ++same->count;
    else
        points.push_back(CheckPoint{std::string(point)});
}

void ReportRunNote(std::string_view line) { gReport.notes.emplace_back(line); }

void CloseRunReport() {
    tui::SetJournalListener(nullptr);
    PutWaitingAnswer();
    Put("");
    Put("=== Podsumowanie ===");
    for (const std::string& line : CountLines()) Put(line);
    PutList("Osoby nieprzeniesione do 2024: ", gReport.personsLeft);
    PutList("Błędy przy plikach: "_cp, gReport.failures);
    PutList("Firmy wpisane do rejestru 2024 mimo błędów przy plikach: "_cp, gReport.registeredIncomplete);
    Put("Czas przebiegu: " + Duration(platform::InstalledClock().TickMs() - gReport.startTick));
    if (!gReport.toCheck.empty()) Put("Do sprawdzenia:");
    for (const FirmChecks& firm : gReport.toCheck) {
        Put("Firma " + firm.label + ":");
        for (const CheckPoint& point : firm.points) Put(PointLine(point));
    }
    MakeDurable();
    if (!gReport.file.IsOpen()) return;
    // Lines that still find no room are lost: the last screen says so.
    if (!gReport.unwritten.empty() || platform::CloseFile(gReport.file) != platform::err::Ok) GiveUp();
}

void ShowRunReport() {
    if (gReport.path.empty()) return;
    // A run that took no firm and found nothing to check (one cancelled in the
    // wizard) has no result to give.
    const bool anyResult = gReport.registered + gReport.notConverted + gReport.passedOver > 0 ||
                           !gReport.notes.empty() || !gReport.toCheck.empty();
    if (anyResult)
        for (const std::string& line : CountLines()) tui::LogWriteLine(line);
    if (gReport.broken) {
        tui::LogWriteLine(std::string("Błąd zapisu raportu przebiegu: "_cp) + gReport.path, tui::logcolour::Error);
    } else {
        tui::LogWriteLine("Raport przebiegu: " + gReport.path);
    }
}

}  // namespace convert
