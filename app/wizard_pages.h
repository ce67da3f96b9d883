#pragma once
// The four pages of the wizard: locations and options, global data, per-firm data and
// start. A page is built afresh each time it is shown and run modally until one of its
// commands closes it; the choices live in the option set (and, on the first page, in
// the run's roots), so they survive every page change.
#include <cstdint>
#include <memory>

#include "app/paths.h"
#include "convert/options.h"
#include "tui/commands.h"
#include "tui/dialog.h"

namespace app {

inline constexpr int kWizardPageCount = 4;

// Commands of the wizard pages, besides tui::cmCancel.
inline constexpr tui::Command cmNext = 0x1001;   // "Dalej >>", PgDn
inline constexpr tui::Command cmBack = 0x1002;   // "<< Wstecz", PgUp
inline constexpr tui::Command cmStart = 0x1003;  // "ZACZNIJ", F5 on page 4

// One page on screen with what belongs to the page alone.
struct WizardPage {
    bool savePaths = false;  // page 1: write the path file when the paths pass
    // Page 3: the two radio groups, handed to the option set on every event.
    std::uint16_t staffSelection = 0;
    std::uint16_t pitDSelection = 0;
    // Declared last, so that its controls go before the values they are bound to.
    std::unique_ptr<tui::Dialog> dialog;
};

// Builds page number (1 to kWizardPageCount) over the roots and the option set;
// nullptr when its window cannot be opened.
std::unique_ptr<WizardPage> BuildPage(int number, RunPaths& paths, convert::Options& options);
// Runs the page until a command closes it; returns that command.
tui::Command RunPage(WizardPage& page);
void DisposePage(std::unique_ptr<WizardPage>& page);

}  // namespace app
