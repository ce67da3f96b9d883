// Page 4, " START KOPIOWANIA ": what to run (global data from which 2023 directory,
// the firms chosen later), whether to stop after each firm, and the Start button.
#include <string>

#include "app/global_copy.h"
#include "app/page_labels.h"
#include "app/wizard_page_parts.h"
#include "convert/copying/file_size.h"
#include "convert/options.h"
#include "platform/files.h"
#include "tui/cluster.h"
#include "tui/input_line.h"
#include "tui/push_button.h"

namespace app::pages {

namespace {

constexpr int kSourceDirColumns = 7;
enum StartControl { StopAfterEachFirm = 3 };

// A 2024 tree that already has its global address base: each visit of the page
// flips the global-data choice, so the user does not copy over it unawares. A global
// copy that a run cut short left unfinished is offered again whatever the base says.
void SettleGlobalScope(const RunPaths& paths, convert::Options& options) {
    const std::string base = paths.root2024 + "#BIN024" + platform::kSeparator + "baza_ad8.rek";
    if (GlobalCopyLeftUnfinished(paths))
        options.copyScope |= convert::scope::GlobalData;
    else if (convert::FileIsPresent(base))
        options.copyScope ^= convert::scope::GlobalData;
}

}  // namespace

std::unique_ptr<WizardPage> BuildStartPage(const RunPaths& paths, convert::Options& options) {
    // Before the page opens: what this logs stays under the page, not over it.
    SettleGlobalScope(paths, options);
    auto page = OpenPage(" START KOPIOWANIA ");
    if (!page) return nullptr;
    tui::Dialog& dialog = *page->dialog;

    auto scope = tui::NewItem(labels::kScope[0], tui::NewItem(labels::kScope[1], nullptr));
    tui::Insert(dialog, tui::NewCheckList(std::move(scope), options.copyScope, 4, 4,
                                          tui::NewLabel(labels::kScopeCaption, 3, 3)));
    auto sourceDir = tui::NewInputLine(options.globalSourceDir, convert::Options::kGlobalSourceDirMax, 4, 24,
                                       tui::NewLabel("(tylko z 990) do #BIN024", 4, 32));
    sourceDir->SetVisibleWidth(kSourceDirColumns);
    tui::Insert(dialog, std::move(sourceDir));
    tui::Insert(dialog, tui::NewCheckBox(labels::kStopAfterEachFirm, options.stopAfterEachFirm, 8, 4,
                                         tui::NewLabel("Wykonanie kopiowania", 7, 3)));
    tui::Insert(dialog, tui::NewButton(cmStart, "ZACZNIJ", 3, 14, 12, 14));
    InsertButton(dialog, cmBack);
    InsertButton(dialog, tui::cmCancel);
    ShowHints(dialog, true, cmStart);
    dialog.current = StopAfterEachFirm;
    dialog.handler = [](tui::Dialog& shown, tui::Event& event) { ClosePageOn(shown, event, {cmBack, cmStart}); };
    return page;
}

}  // namespace app::pages
