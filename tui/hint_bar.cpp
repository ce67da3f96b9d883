#include "tui/hint_bar.h"

#include <algorithm>

#include "platform/cp852.h"
#include "tui/desktop.h"
#include "tui/screen.h"
#include "tui/text_device.h"

namespace tui {

using namespace platform::literals;

namespace {

void DrawBar(HintBar& bar) {
    const int row = ScreenRows();
    const Attribute attribute = Colour(colSelection);
    ClearOnScreen(attribute, 1, row, ScreenColumns(), row);
    int column = 2;
    for (HintItem* item = bar.items.get(); item; item = item->next.get()) {
        // A text of 40 characters or more has no room left for its separator.
        const std::string shown = (item->text + std::string("│"_cp)).substr(0, kHintTextMax);
        WriteOnScreen(attribute, column, row, shown);
        item->firstColumn = column;
        item->lastColumn = column + static_cast<int>(shown.size()) - 1;
        column = item->lastColumn + 1;
    }
}

}  // namespace

std::unique_ptr<HintItem> NewHint(std::unique_ptr<HintItem> next, Command command, KeyCode key,
                                  std::string_view text) {
    auto item = std::make_unique<HintItem>();
    item->next = std::move(next);
    item->command = command;
    item->key = key;
    item->text = text.substr(0, kHintTextMax);
    return item;
}

HintBar* PushHintBar(std::unique_ptr<HintItem> items) {
    auto bar = std::make_unique<HintBar>();
    bar->items = std::move(items);
    DrawBar(*bar);
    auto& bars = TheScreen().hintBars;
    bars.push_back(std::move(bar));
    return bars.back().get();
}

void PopHintBar(HintBar*& bar) {
    auto& bars = TheScreen().hintBars;
    const auto found = std::find_if(bars.begin(), bars.end(),
                                    [&](const std::unique_ptr<HintBar>& shown) { return shown.get() == bar; });
    bar = nullptr;
    if (found == bars.end()) return;
    bars.erase(found);
    if (!bars.empty()) {
        DrawBar(*bars.back());
        return;
    }
    const int row = ScreenRows();
    ClearOnScreen(TextAttribute(), 1, row, ScreenColumns(), row);
}

HintBar* CurrentHintBar() {
    const auto& bars = TheScreen().hintBars;
    return bars.empty() ? nullptr : bars.back().get();
}

void TranslateByHintBar(Event& event) {
    const HintBar* bar = CurrentHintBar();
    if (!bar) return;
    for (const HintItem* item = bar->items.get(); item; item = item->next.get()) {
        const bool keyHit = event.kind == EventKind::Key && item->key != 0 && event.keyCode == item->key;
        const bool clickHit = event.kind == EventKind::Mouse && event.buttons == 1 && event.row == ScreenRows() &&
                              event.column >= item->firstColumn && event.column <= item->lastColumn;
        if (keyHit || clickHit) {
            SetCommand(event, item->command, source::HintBar);
            return;
        }
    }
}

}  // namespace tui
