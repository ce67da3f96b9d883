#pragma once
// What the wizard pages have in common: the dialog window, the buttons along the
// bottom, the hint bar and the handling of the page commands.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "app/paths.h"
#include "app/wizard_pages.h"
#include "convert/options.h"
#include "tui/commands.h"
#include "tui/dialog.h"

namespace app::pages {

// The dialog window of a page: 76 columns by 22 rows from column 3, row 3.
std::unique_ptr<WizardPage> OpenPage(std::string_view title);

// The button of a page command (Back, Cancel or Next) at its place on the bottom row.
void InsertButton(tui::Dialog& dialog, tui::Command command);

// The page's hint bar: "PgUp-Wstecz" when the page goes back, then the key of its
// forward command ("PgDn-Dalej" for Next, "F5-ZACZNIJ" for Start).
void ShowHints(tui::Dialog& dialog, bool back, tui::Command forward);

// The end of every page handler: one of the closing commands (a button pressed, a
// hint-bar key) ends the page, when mayClose (if given) lets it; any other event goes
// to the dialog's own handling, which turns Esc into Cancel and ends on it. A
// button's letter only makes that button current there: the command it becomes is
// not seen by the page, so Enter, Space or a click still has to press the button.
void ClosePageOn(tui::Dialog& dialog, tui::Event& event, std::initializer_list<tui::Command> closing,
                 const std::function<bool()>& mayClose = {});

// The pages edit options, which must outlive them.
std::unique_ptr<WizardPage> BuildLocationPage(RunPaths& paths, convert::Options& options);
std::unique_ptr<WizardPage> BuildGlobalItemsPage(convert::Options& options);
std::unique_ptr<WizardPage> BuildFirmItemsPage(convert::Options& options);
std::unique_ptr<WizardPage> BuildStartPage(const RunPaths& paths, convert::Options& options);

}  // namespace app::pages
