#include "convert/firm/firm_failures.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "convert/copying/copy_steps.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"

namespace convert {

namespace {

using namespace platform::literals;

// One firm at a time is converted; the copies report into this from wherever they
// fail, as they report into the log.
struct FirmFailures {
    bool counting = false;  // a firm's conversion is at work
    bool diskFull = false;
    bool asked = false;
    std::string inHand;
    std::vector<std::string> failed;
};

FirmFailures gFirm;

}  // namespace

void StartFirmFailures() {
    gFirm = FirmFailures{};
    gFirm.counting = true;
}

void EndFirmFailures() {
    gFirm.counting = false;
    gFirm.inHand.clear();
}

FileInHand::FileInHand(std::string_view path) : outer_(std::exchange(gFirm.inHand, std::string(path))) {}

FileInHand::~FileInHand() { gFirm.inHand = std::move(outer_); }

void NoteFailure(std::string_view path, int error) {
    if (!gFirm.counting) return;
    if (error == platform::err::DiskFull) gFirm.diskFull = true;
    const std::string_view file = gFirm.inHand.empty() ? path : std::string_view(gFirm.inHand);
    if (!file.empty() && !HasFailed(file)) gFirm.failed.emplace_back(file);
}

std::span<const std::string> FailedFiles() { return gFirm.failed; }

bool HasFailed(std::string_view path) {
    return std::find(gFirm.failed.begin(), gFirm.failed.end(), path) != gFirm.failed.end();
}

bool FirmStopped() { return gFirm.counting && gFirm.diskFull; }

bool DiskFullMet() { return gFirm.diskFull; }

bool AcceptFirm(std::string_view name) {
    if (gFirm.failed.empty()) return true;
    gFirm.asked = true;
    LogLineIn(tui::logcolour::Error, "Pliki, których nie przeniesiono w całości:"_cp);
    for (const std::string& path : gFirm.failed) LogLineIn(tui::logcolour::Error, "  ", path);
    // The question is longer than a row: its first sentence on a row of its own.
    const std::string firm = "Firma " + std::string(name) + std::string(": błędy przy "_cp) +
                             std::to_string(gFirm.failed.size()) + " plikach.";
    constexpr std::string_view kAsk = "Wpisać ją do rejestru 2024 mimo to? (T/N)"_cp;
    tui::LogWriteLine(firm, tui::logcolour::Prompt);
    tui::LogWrite(kAsk, tui::logcolour::Prompt);
    const char answer = tui::LogWaitForChoice(firm + " " + std::string(kAsk), "TN");
    tui::LogWriteLine();
    return answer == 'T';
}

bool FirmWasIncomplete() { return gFirm.asked; }

}  // namespace convert
