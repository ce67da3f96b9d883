#pragma once
// Push buttons: a face with a centred label and a shadow; the focused button shows
// pressed, shifted one column right with its label between "»" and "«".
#include <memory>
#include <string>
#include <string_view>

#include "tui/commands.h"
#include "tui/control.h"

namespace tui {

class PushButton : public Control {
public:
    PushButton(Command command, std::string_view text, int height, int width, int row, int column);

    const Command command;
    const std::string text;  // at most 70 characters

protected:
    void DrawBody() override;
    void PlaceFocusCursor() override;
    bool HandleInput(Event& event) override;
};

std::unique_ptr<PushButton> NewButton(Command command, std::string_view text, int height, int width, int row,
                                      int column);

}  // namespace tui
