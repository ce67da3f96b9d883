// Pages 2 and 3: which global items and which per-firm items the run carries over,
// and how it treats staff, personal tax data, 2024 entries and add-on data.
#include <span>
#include <string_view>

#include "app/page_labels.h"
#include "app/wizard_page_parts.h"
#include "convert/options.h"
#include "tui/cluster.h"

namespace app::pages {

namespace {

// An item list in the order given.
std::unique_ptr<tui::Item> Items(std::span<const std::string_view> texts) {
    std::unique_ptr<tui::Item> items;
    for (auto text = std::rbegin(texts); text != std::rend(texts); ++text)
        items = tui::NewItem(*text, std::move(items));
    return items;
}

void InsertMoveButtons(tui::Dialog& dialog) {
    InsertButton(dialog, cmBack);
    InsertButton(dialog, tui::cmCancel);
    InsertButton(dialog, cmNext);
    ShowHints(dialog, true, cmNext);
}

enum FirmItemsControl { FirmItemList = 1 };

}  // namespace

std::unique_ptr<WizardPage> BuildGlobalItemsPage(convert::Options& options) {
    auto page = OpenPage(" Dane globalne, konfiguracyjne ");
    if (!page) return nullptr;
    tui::Dialog& dialog = *page->dialog;
    tui::Insert(dialog, tui::NewCheckList(Items(labels::kGlobalItems), options.globalItems, 4, 4,
                                          tui::NewLabel(labels::kItemsCaption, 3, 3)));
    InsertMoveButtons(dialog);
    dialog.handler = [](tui::Dialog& shown, tui::Event& event) { ClosePageOn(shown, event, {cmBack, cmNext}); };
    return page;
}

std::unique_ptr<WizardPage> BuildFirmItemsPage(convert::Options& options) {
    auto page = OpenPage(" Dane firmowe  ");
    if (!page) return nullptr;
    tui::Dialog& dialog = *page->dialog;
    page->staffSelection = static_cast<std::uint16_t>(options.staffSelection);
    page->pitDSelection = static_cast<std::uint16_t>(options.pitDSelection);

    tui::Insert(dialog, tui::NewCheckList(Items(labels::kFirmItems), options.firmItems, 2, 3,
                                          tui::NewLabel(labels::kItemsCaption, 1, 2)));
    tui::Insert(dialog, tui::NewRadioGroup(Items(labels::kStaffSelections), page->staffSelection, 2, 42,
                                           tui::NewLabel(labels::kStaffCaption, 1, 41)));
    tui::Insert(dialog, tui::NewRadioGroup(Items(labels::kPitDSelections), page->pitDSelection, 6, 42,
                                           tui::NewLabel(labels::kPitDCaption, 5, 41)));
    tui::Insert(dialog, tui::NewCheckList(Items(labels::kEntries), options.entries2024, 9, 42,
                                          tui::NewLabel(labels::kEntriesCaption, 8, 41)));
    tui::Insert(dialog, tui::NewCheckList(Items(labels::kAddOns), options.addOns, 15, 42,
                                          tui::NewLabel(labels::kAddOnsCaption, 14, 41)));
    InsertMoveButtons(dialog);

    WizardPage* self = page.get();
    dialog.handler = [self, &chosen = options](tui::Dialog& shown, tui::Event& event) {
        // Family data cannot go without staff data.
        if (convert::KeepFamiliesWithStaff(chosen.firmItems)) shown.ControlAt(FirmItemList).Draw();
        chosen.staffSelection = static_cast<convert::StaffSelection>(self->staffSelection);
        chosen.pitDSelection = static_cast<convert::PitDSelection>(self->pitDSelection);
        ClosePageOn(shown, event, {cmBack, cmNext});
    };
    return page;
}

}  // namespace app::pages
