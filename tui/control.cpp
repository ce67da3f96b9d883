#include "tui/control.h"

#include "tui/desktop.h"
#include "tui/dialog.h"
#include "tui/tones.h"
#include "tui/window.h"

namespace tui {

namespace {

constexpr std::size_t kLabelMax = 80;

}  // namespace

std::unique_ptr<Label> NewLabel(std::string_view text, int row, int column) {
    auto label = std::make_unique<Label>();
    label->text = text.substr(0, kLabelMax);
    label->column = column;
    label->row = row;
    return label;
}

Control::Control(ControlKind kind, const Rect& area, std::unique_ptr<Label> label)
    : area(area), label(std::move(label)), kind_(kind) {}

void Control::Draw() {
    if (!owner) return;
    if (label) Write(ControlColour(focused ? 1 : 0), label->column, label->row, label->text);
    DrawBody();
    if (focused) PlaceFocusCursor();
}

void Control::Run(Event& event) {
    focused = true;
    TakeFocus();
    Draw();
    for (;;) {
        GetEvent(event);
        int column = 0;
        int row = 0;
        if (label && LeftClickAt(event, column, row) && label->Contains(column, row)) {
            ToneFocusedClick();
            continue;
        }
        if (!HandleInput(event)) break;
    }
    focused = false;
    if (ReleaseFocus()) SetDataChanged(true);
    Draw();
}

bool Control::Hit(int column, int row) const {
    return area.Contains(column, row) || (label && label->Contains(column, row));
}

void Control::Write(Attribute attribute, int column, int row, std::string_view text) const {
    if (owner) WriteInWindow(*owner->window, attribute, column, row, text);
}

void Control::ShowCursorAt(int column, int row) const {
    if (!owner) return;
    const Rect& inner = owner->window->inner;
    PlaceCursorOnScreen(inner.left + column - 1, inner.top + row - 1);
    SetCursorShape(InsertMode() ? platform::CursorShape::BottomFifth : platform::CursorShape::BottomHalf);
}

bool Control::LeftClickAt(const Event& event, int& column, int& row) const {
    if (!owner || event.kind != EventKind::Mouse || event.buttons != 1) return false;
    const Rect& inner = owner->window->inner;
    column = event.column - inner.left + 1;
    row = event.row - inner.top + 1;
    return true;
}

bool InsertMode() { return TheDesktop().insertMode; }
void SetInsertMode(bool insert) { TheDesktop().insertMode = insert; }

void ToneFocusedClick() { Tone(2, 4000); }

}  // namespace tui
