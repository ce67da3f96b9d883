#include "convert/run_report.h"

#include <cstdio>
#include <vector>

#include "convert/local_time_text.h"
#include "convert/progress_log.h"
#include "fileio/shared_file.h"
#include "platform/clock.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/journal.h"

namespace convert {

namespace {

using namespace platform::literals;

struct Report {
    std::string path;  // empty until a report is begun
    platform::FileHandle file;
    bool broken = false;  // opening or a write failed: nothing more is written
    std::uint32_t startTick = 0;
    int registered = 0;
    int notConverted = 0;
    int passedOver = 0;
    std::string firm;       // the directory of the firm at hand; empty outside firms
    std::string lastError;  // the last line shown in the error colour
    std::string answer;     // an answer line that waits for its prompt's line to end
    std::vector<std::string> personsLeft;
    std::vector<std::string> failures;
    std::string unwritten;  // lines put but not yet written: they go out in batches
};

// Lines go to the file once this much has gathered, and whenever the report must be
// on the disk (a firm's result, an error shown, an answer given, the summary).
constexpr std::size_t kBatchBytes = 4096;

Report gReport;

void giveUp() {
    gReport.broken = true;
    gReport.unwritten.clear();
    // The report is given up already and the last screen will say so: a close that
    // fails as well changes nothing.
    if (gReport.file.isOpen()) static_cast<void>(platform::closeFile(gReport.file));
}

// Appends the text at the file's end under the file's first-byte lock: the run of
// another workstation over the same 2024 root appends to the same report, and only
// once the lock is held is the size the file's own rather than one that a network
// drive cached, so neither run writes over the other's lines. The lock is tried as
// the file layer tries its locks.
bool appendAtEnd(platform::FileHandle& file, const std::string& text) {
    int locked = platform::lockRange(file, 0, 1);
    for (int attempt = 1; locked == platform::err::LockViolation && attempt < fileio::MaxTries; ++attempt) {
        platform::clock().sleepMs(fileio::RetryDelay);
        locked = platform::lockRange(file, 0, 1);
    }
    if (locked != platform::err::Ok) return false;
    std::uint64_t size = 0;
    std::size_t done = 0;
    const bool written = platform::fileSize(file, size) == platform::err::Ok &&
                         platform::seekFile(file, size) == platform::err::Ok &&
                         platform::writeFile(file, text.data(), text.size(), done) == platform::err::Ok;
    return platform::unlockRange(file, 0, 1) == platform::err::Ok && written;
}

// Writes the lines gathered so far.
void writeUnwritten() {
    if (!gReport.file.isOpen() || gReport.unwritten.empty()) return;
    if (!appendAtEnd(gReport.file, gReport.unwritten)) giveUp();
    gReport.unwritten.clear();
}

// One line of the report: code page 852 in, UTF-8 with CR LF out.
void put(std::string_view line) {
    if (!gReport.file.isOpen()) return;
    gReport.unwritten += platform::cp852::toUtf8(line, platform::cp852::Controls::AsGlyphs) + "\r\n";
    if (gReport.unwritten.size() >= kBatchBytes) writeUnwritten();
}

void putWaitingAnswer() {
    if (gReport.answer.empty()) return;
    put(gReport.answer);
    gReport.answer.clear();
}

void listen(tui::JournalEntry entry, std::string_view text, std::string_view answer) {
    switch (entry) {
        case tui::JournalEntry::Shown:
            put(text);
            break;
        case tui::JournalEntry::ShownAsError:
            gReport.lastError = text;
            put("! " + std::string(text));
            writeUnwritten();
            break;
        case tui::JournalEntry::Answered:
            gReport.answer = "? " + std::string(text) + std::string(" -- odpowiedź: "_cp) + std::string(answer);
            // A prompt in the log ends its line only after the answer: the answer
            // follows that line.
            if (!LogLineSoFar().empty()) return;
            break;
    }
    putWaitingAnswer();
    if (entry == tui::JournalEntry::Answered) writeUnwritten();
}

// An existing report is opened; a missing one is created, exclusively: a report that
// another workstation's run made in between is opened, never emptied. Every write
// goes to the end (appendAtEnd).
bool openForAppend(const std::string& path, platform::FileHandle& file) {
    constexpr std::uint8_t kMode = platform::mode::WriteOnly | platform::mode::DenyNone;
    int result = platform::openFile(path, kMode, file);
    if (result == platform::err::FileNotFound) result = platform::createNewFile(path, file);
    if (result == platform::err::AlreadyExists) result = platform::openFile(path, kMode, file);
    return result == platform::err::Ok;
}

std::string twoDigits(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02u", value % 100);
    return text;
}

std::string duration(std::uint32_t ms) {
    const std::uint32_t seconds = ms / 1000;
    return std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

// What happened to a firm or a person, named after the firm it belongs to.
std::string ofFirm(std::string_view text) {
    return "   " + (gReport.firm.empty() ? std::string() : gReport.firm + ": ") + std::string(text);
}

std::string_view outcomeText(FirmOutcome outcome) {
    switch (outcome) {
        case FirmOutcome::Registered: return "przeniesiona i wpisana do rejestru 2024"_cp;
        case FirmOutcome::NotRegistered: return "przeniesiona, ale NIE wpisana do rejestru 2024"_cp;
        case FirmOutcome::NotConverted: return "NIE przeniesiona"_cp;
        case FirmOutcome::PassedOver: return "pominięta (nie zaznaczona)"_cp;
        case FirmOutcome::TakenElsewhere: return "pominięta (konwertowana na innym stanowisku)"_cp;
    }
    return {};
}

void putList(std::string_view title, const std::vector<std::string>& lines) {
    put(std::string(title) + std::to_string(lines.size()));
    for (const std::string& line : lines) put(line);
}

}  // namespace

void OpenRunReport(std::string_view path, std::span<const std::string> header) {
    gReport = Report{};
    gReport.path = path;
    gReport.startTick = platform::clock().tickMs();
    if (!openForAppend(gReport.path, gReport.file)) {
        giveUp();
        return;
    }
    put("");
    put("=== Raport przebiegu " + LocalDateTimeText() + " ===");
    for (const std::string& line : header) put(line);
    put("");
    tui::SetJournalListener(listen);
}

void ReportFirmStart(std::string_view directory) {
    gReport.firm = directory;
    gReport.lastError.clear();
}

void ReportFirmResult(std::string_view name, std::string_view directory, FirmOutcome outcome) {
    std::string line = "= Firma " + std::string(name) + " [" + std::string(directory) + "]: ";
    line += outcomeText(outcome);
    switch (outcome) {
        case FirmOutcome::Registered: ++gReport.registered; break;
        case FirmOutcome::NotRegistered:
        case FirmOutcome::NotConverted: ++gReport.notConverted; break;
        case FirmOutcome::PassedOver:
        case FirmOutcome::TakenElsewhere: ++gReport.passedOver; break;
    }
    if (outcome == FirmOutcome::NotConverted && !gReport.lastError.empty()) line += ": " + gReport.lastError;
    put(line);
    writeUnwritten();
    gReport.firm.clear();
    // A run cut short keeps its report up to the last firm; a report that cannot be
    // made durable is given up like one that cannot be written.
    if (gReport.file.isOpen() && platform::flushFile(gReport.file) != platform::err::Ok) giveUp();
}

void ReportPersonLeft(std::string_view name, std::string_view why) {
    gReport.personsLeft.push_back(ofFirm(std::string(name) + std::string(why)));
}

void ReportFailure(std::string_view line) { gReport.failures.push_back(ofFirm(line)); }

void CloseRunReport() {
    tui::SetJournalListener(nullptr);
    putWaitingAnswer();
    put("");
    put("=== Podsumowanie ===");
    put("Firmy przeniesione i wpisane do rejestru 2024: " + std::to_string(gReport.registered));
    put("Firmy nieprzeniesione lub niewpisane: " + std::to_string(gReport.notConverted));
    put(std::string("Firmy pominięte: "_cp) + std::to_string(gReport.passedOver));
    putList("Osoby nieprzeniesione do 2024: ", gReport.personsLeft);
    putList("Błędy przy plikach: "_cp, gReport.failures);
    put("Czas przebiegu: " + duration(platform::clock().tickMs() - gReport.startTick));
    writeUnwritten();
    if (!gReport.file.isOpen()) return;
    if (platform::closeFile(gReport.file) != platform::err::Ok) giveUp();
}

void ShowRunReport() {
    if (gReport.path.empty()) return;
    if (gReport.broken) {
        SetLogColour(logcolour::Error);
        LogWriteLine(std::string("Błąd zapisu raportu przebiegu: "_cp) + gReport.path);
    } else {
        LogWriteLine("Raport przebiegu: " + gReport.path);
    }
}

}  // namespace convert
