#include "app/wizard_page_parts.h"

#include <algorithm>

#include "tui/hint_bar.h"
#include "tui/keys.h"
#include "tui/push_button.h"

namespace app::pages {

namespace {

constexpr int kPageHeight = 22;
constexpr int kPageWidth = 76;
constexpr int kPageTop = 3;
constexpr int kPageLeft = 3;

constexpr int kButtonRow = 19;
constexpr int kButtonWidth = 14;

struct PageButton {
    tui::Command command;
    std::string_view text;
    int column;
};

constexpr PageButton kButtons[] = {
    {cmBack, "<< Wstecz", 14},
    {tui::cmCancel, "Poniechaj", 34},
    {cmNext, "Dalej >>", 54},
};

}  // namespace

std::unique_ptr<WizardPage> OpenPage(std::string_view title) {
    auto page = std::make_unique<WizardPage>();
    page->dialog = tui::OpenDialog(title, kPageHeight, kPageWidth, kPageTop, kPageLeft);
    if (!page->dialog) return nullptr;
    return page;
}

void InsertButton(tui::Dialog& dialog, tui::Command command) {
    const auto* button = std::find_if(std::begin(kButtons), std::end(kButtons),
                                      [command](const PageButton& b) { return b.command == command; });
    if (button == std::end(kButtons)) return;
    tui::Insert(dialog, tui::NewButton(command, button->text, 1, kButtonWidth, kButtonRow, button->column));
}

void ShowHints(tui::Dialog& dialog, bool back, tui::Command forward) {
    auto items = forward == cmStart ? tui::NewHint(nullptr, cmStart, tui::kbF5, "F5-ZACZNIJ")
                                    : tui::NewHint(nullptr, cmNext, tui::kbPgDn, "PgDn-Dalej");
    if (back) items = tui::NewHint(std::move(items), cmBack, tui::kbPgUp, "PgUp-Wstecz");
    dialog.hints = tui::PushHintBar(std::move(items));
}

void ClosePageOn(tui::Dialog& dialog, tui::Event& event, std::initializer_list<tui::Command> closing,
                 const std::function<bool()>& mayClose) {
    const bool pageCommand = event.kind == tui::EventKind::Command &&
                             std::find(closing.begin(), closing.end(), event.command) != closing.end();
    if (!pageCommand) {
        tui::HandleEvent(dialog, event);
        return;
    }
    if (!mayClose || mayClose()) {
        tui::EndModal(dialog);
    } else {
        tui::ClearEvent(event);
    }
}

}  // namespace app::pages
