// Page 1, " Lokalizacja ": the two data roots, the page's own "save the locations"
// check box and the options of the run's behaviour. Next passes only with paths
// that pass the check.
#include <string>

#include "app/page_labels.h"
#include "app/path_check.h"
#include "app/wizard_page_parts.h"
#include "convert/options.h"
#include "platform/cp852.h"
#include "product/environment.h"
#include "tui/cluster.h"
#include "tui/input_line.h"
#include "tui/window.h"

namespace app::pages {

namespace {

using namespace platform::literals;

// Roots are edited in 50 columns but may be as long as a root can be.
constexpr int kRootColumns = 50;

enum Control { Root2023 = 1, Root2024 = 2 };

void InsertRootLine(tui::Dialog& dialog, std::string& root, int row, std::string_view caption) {
    auto line = tui::NewInputLine(root, static_cast<int>(kMaxRootLength), row, 4, tui::NewLabel(caption, row - 1, 3));
    line->SetVisibleWidth(kRootColumns);
    tui::Insert(dialog, std::move(line));
}

// Checks the roots as Next leaves the page, showing what the check completed and
// focusing the line it found wrong.
bool PathsPass(tui::Dialog& dialog, RunPaths& paths) {
    const PathCheck result = CheckPaths(paths, [&dialog] {
        dialog.ControlAt(Root2023).Draw();
        dialog.ControlAt(Root2024).Draw();
    });
    if (result == PathCheck::NoRegistry) tui::FocusControl(dialog, Root2023);
    if (result == PathCheck::SameRoots || result == PathCheck::No2024Write) tui::FocusControl(dialog, Root2024);
    return result == PathCheck::Valid;
}

// Next: the paths must pass; then the path file is written when the page asks for it.
bool Leave(tui::Dialog& dialog, RunPaths& paths, bool savePaths) {
    if (!PathsPass(dialog, paths)) return false;
    // The path file is only a convenience: a failed write goes unreported.
    if (savePaths) static_cast<void>(WritePathFile(PathFileName(paths), paths));
    return true;
}

}  // namespace

std::unique_ptr<WizardPage> BuildLocationPage(RunPaths& paths, convert::Options& options) {
    auto page = OpenPage(" Lokalizacja ");
    if (!page) return nullptr;
    tui::Dialog& dialog = *page->dialog;

    tui::WriteInWindow(*dialog.window, tui::ControlColour(0), 22, 3,
                       "tam gdzie jest plik " + product::RegistryFileName());
    InsertRootLine(dialog, paths.root2023, 4, "katalogu źrodłowy:"_cp);
    InsertRootLine(dialog, paths.root2024, 7, "lokalizacja docelowa:");
    tui::Insert(dialog, tui::NewCheckBox("zapisz ustawienie lokalizacji (w pliku qz23-24.PTH)", page->savePaths, 9,
                                         4, nullptr));
    tui::Insert(dialog, tui::NewCheckBox(labels::kDecemberWarning, options.decemberWarning, 15, 5,
                                         tui::NewLabel("Dodatkowe opcje:", 14, 4)));
    tui::Insert(dialog, tui::NewCheckBox(labels::kSlowMode, options.slowMode, 16, 5, nullptr));
    tui::Insert(dialog, tui::NewCheckBox(labels::kRenameConverted, options.renameConverted, 17, 5, nullptr));
    InsertButton(dialog, tui::cmCancel);
    InsertButton(dialog, cmNext);
    ShowHints(dialog, false, cmNext);

    WizardPage* self = page.get();
    dialog.handler = [self, &paths](tui::Dialog& shown, tui::Event& event) {
        ClosePageOn(shown, event, {cmNext}, [&] { return Leave(shown, paths, self->savePaths); });
    };
    return page;
}

}  // namespace app::pages
