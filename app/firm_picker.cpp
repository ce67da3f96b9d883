#include "app/firm_picker.h"

#include "app/environment_detection.h"
#include "platform/cp852.h"
#include "tui/dialog.h"
#include "tui/hint_bar.h"
#include "tui/keys.h"
#include "tui/pick_list.h"

namespace app {

namespace {

using namespace platform::literals;

constexpr std::size_t kNameWidth = 31;
constexpr std::size_t kDirectoryColumn = 34;  // where the search by directory looks
constexpr std::size_t kDirectoryWidth = 8;
constexpr std::size_t kLineWidth = 52;
constexpr int kListRows = 10;

// The firm of the list's item number, counted from 1; nullptr outside the list.
template <typename Firm>
Firm* FirmNumbered(std::span<Firm> firms, std::int32_t number) {
    return number >= 1 && static_cast<std::size_t>(number) <= firms.size() ? &firms[number - 1] : nullptr;
}

class FirmItems : public tui::PickListOwner {
public:
    explicit FirmItems(std::span<const FirmRecord> firms) : firms_(firms) {}

    std::int32_t ItemCount() override { return static_cast<std::int32_t>(firms_.size()); }
    std::string ItemText(std::int32_t item) override {
        const FirmRecord* firm = FirmNumbered(firms_, item);
        return firm ? FirmLine(*firm) : std::string();
    }

private:
    std::span<const FirmRecord> firms_;
};

void SelectAll(std::span<FirmRecord> firms, bool selected) {
    for (FirmRecord& firm : firms) firm.selected = selected;
}

// Changes the selection by the picker's commands; true when the event was one.
bool ChangeSelection(const tui::Event& event, std::span<FirmRecord> firms, std::int32_t focused) {
    if (event.kind != tui::EventKind::Command) return false;
    switch (event.command) {
        case cmToggleFirm:
            if (FirmRecord* firm = FirmNumbered(firms, focused)) firm->selected = !firm->selected;
            return true;
        case cmAllFirms:
            SelectAll(firms, true);
            return true;
        case cmNoFirms:
            SelectAll(firms, false);
            return true;
        default:
            return false;
    }
}

std::unique_ptr<tui::HintItem> PickerHints() {
    auto items = tui::NewHint(nullptr, tui::cmAccept, tui::kbF5, "F5 - ZACZNIJ");
    items = tui::NewHint(std::move(items), cmNoFirms, tui::kbCtrlD, "^D Żadna "_cp);
    items = tui::NewHint(std::move(items), cmAllFirms, tui::kbCtrlW, "^W Wszystkie ");
    return tui::NewHint(std::move(items), cmToggleFirm, tui::kbSpace,
                        std::string("SPACE - Zaznacz (") + kSelectedMark + ")");
}

// Fits text to width: blank-filled or cut.
std::string Fitted(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace

std::string FirmLine(const FirmRecord& firm) {
    std::string line = Fitted(firm.registry.Name(), kNameWidth);
    line += firm.selected ? kSelectedMark : kUnselectedMark;
    line += ' ';
    line += Fitted(firm.registry.Directory(), kDirectoryWidth);
    line += ' ';
    line += firm.registry.Description();
    return Fitted(line, kLineWidth);
}

bool PickFirms(std::span<FirmRecord> firms) {
    FirmItems items(firms);
    std::int32_t focused = 1;
    auto dialog = tui::OpenDialog(" BAZA FIRM ", 15, 58, 6, 10);
    if (!dialog) return false;
    auto list = tui::NewPickList(items, focused, kListRows, static_cast<int>(kLineWidth), 2, 1,
                                 tui::NewLabel("Nazwa                   Wybrana? KATALOG   INFO", 1, 3));
    tui::AddSearchKey(*list, static_cast<int>(kDirectoryColumn));
    tui::Control* shown = tui::Insert(*dialog, std::move(list));
    dialog->hints = tui::PushHintBar(PickerHints());
    dialog->handler = [&](tui::Dialog& picker, tui::Event& event) {
        if (ChangeSelection(event, firms, focused)) {
            tui::ClearEvent(event);
            shown->Draw();
            return;
        }
        tui::HandleEvent(picker, event);
    };
    const tui::Command result = tui::Execute(*dialog);
    tui::DisposeDialog(dialog);
    return result == tui::cmAccept;
}

bool SelectFirms(const RunPaths& paths, convert::ClaimedDirectories& claims, std::vector<FirmRecord>& firms) {
    firms = DetectEnvironment(paths, claims);
    return !firms.empty() && PickFirms(firms);
}

}  // namespace app
