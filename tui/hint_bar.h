#pragma once
// The hint bar on the screen's last row: items that name keys ("F5 - dalej") and turn
// those keys, or a click on the item, into commands. Bars stack: each new bar hides
// the one before, which comes back when the new one is popped.
#include <memory>
#include <string>
#include <string_view>

#include "tui/commands.h"
#include "tui/event.h"

namespace tui {

struct HintItem {
    std::unique_ptr<HintItem> next;
    Command command = 0;   // 0 for none
    KeyCode key = 0;       // 0 for none
    std::string text;      // code page 852, at most 40 characters
    int firstColumn = 0;   // screen columns the item occupies while shown
    int lastColumn = -1;
};

struct HintBar {
    std::unique_ptr<HintItem> items;
};

inline constexpr int kHintTextMax = 40;

// Builds the items from the last to the first: the item made last is shown first.
std::unique_ptr<HintItem> NewHint(std::unique_ptr<HintItem> next, Command command, KeyCode key,
                                  std::string_view text);
// Shows the items on the last row and makes them the current bar.
HintBar* PushHintBar(std::unique_ptr<HintItem> items);
// Frees the bar; the bar before it is shown again (or the row is cleared) and the
// handle is emptied.
void PopHintBar(HintBar*& bar);
HintBar* CurrentHintBar();

// Turns a key or a left click on the last row into the command of the current bar's
// item for it (the first one in display order).
void TranslateByHintBar(Event& event);

}  // namespace tui
