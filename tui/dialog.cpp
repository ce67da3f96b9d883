#include "tui/dialog.h"

#include "tui/desktop.h"
#include "tui/polish_text.h"
#include "tui/push_button.h"

namespace tui {

namespace {

// Buttons of the event source that end a dialog as accepted: both main buttons at
// once, or the middle one.
constexpr std::uint16_t kBothButtons = 3;
constexpr std::uint16_t kMiddleButton = 4;

bool EndsDialog(Command command) {
    return command == cmYes || command == cmNo || command == cmAccept || command == cmCancel;
}

// The number of the first control from number on (wrapping) that may take the
// focus; 0 when none may.
int FocusableFrom(const Dialog& dialog, int number) {
    for (int step = 0; step < dialog.Count(); ++step) {
        const int candidate = (number - 1 + step) % dialog.Count() + 1;
        if (dialog.ControlAt(candidate).MayFocus()) return candidate;
    }
    return 0;
}

void MoveFocus(Dialog& dialog, int direction) {
    if (dialog.Count() < 2) return;
    int number = dialog.current;
    for (int step = 0; step < dialog.Count(); ++step) {
        number = (number - 1 + direction + dialog.Count()) % dialog.Count() + 1;
        if (dialog.ControlAt(number).MayFocus()) {
            dialog.current = number;
            return;
        }
    }
}

void CallHelp(const Dialog& dialog) {
    if (!dialog.help) return;
    const bool valid = dialog.current >= 1 && dialog.current <= dialog.Count();
    const std::uint16_t own = valid ? dialog.ControlAt(dialog.current).helpContext : 0;
    dialog.help(own != 0 ? own : dialog.helpContext);
}

// A letter typed while the dialog has push buttons presses the first one whose
// label begins with it.
void PressByHotKey(Dialog& dialog, Event& event) {
    const char typed = UpperChar(static_cast<char>(event.character));
    for (int number = dialog.firstButton; number <= dialog.Count(); ++number) {
        Control& control = dialog.ControlAt(number);
        if (control.Kind() != ControlKind::PushButton) continue;
        const auto& button = static_cast<const PushButton&>(control);
        if (button.text.empty() || UpperChar(button.text[0]) != typed) continue;
        dialog.current = number;
        SetCommand(event, button.command, source::Button);
        return;
    }
}

void HandleKey(Dialog& dialog, Event& event) {
    switch (event.keyCode) {
        case kbEsc:
            SetCommand(event, cmCancel, 0);
            return;
        case kbUp:
        case kbShiftTab:
        case kbLeft:
            MoveFocus(dialog, -1);
            ClearEvent(event);
            return;
        case kbDown:
        case kbTab:
        case kbRight:
        case kbEnter:
            MoveFocus(dialog, 1);
            ClearEvent(event);
            return;
        case kbF1:
            CallHelp(dialog);
            ClearEvent(event);
            return;
        default:
            break;
    }
    if (!event.extended && dialog.firstButton != 0) PressByHotKey(dialog, event);
}

void HandleMouse(Dialog& dialog, Event& event) {
    if (event.buttons == 2) {
        SetCommand(event, cmCancel, 0);
        return;
    }
    if (event.buttons == kBothButtons || event.buttons == kMiddleButton) {
        SetCommand(event, cmAccept, 0);
        return;
    }
    if (event.buttons != 1 || !dialog.window->outer.Contains(event.column, event.row)) return;
    const Rect& inner = dialog.window->inner;
    const int column = event.column - inner.left + 1;
    const int row = event.row - inner.top + 1;
    for (int number = 1; number <= dialog.Count(); ++number) {
        const Control& control = dialog.ControlAt(number);
        if (control.MayFocus() && control.Hit(column, row)) {
            dialog.current = number;
            ClearEvent(event);
            return;
        }
    }
}

}  // namespace

Dialog::~Dialog() {
    PopHintBar(hints);
    while (!controls.empty()) controls.pop_back();
    CloseWindow(window);
}

std::unique_ptr<Dialog> OpenDialog(std::string_view title, int height, int width, int top, int left) {
    auto dialog = std::make_unique<Dialog>();
    const WindowStyle style{Colour(colDialogTitle), Colour(colDialogFrame), Colour(colDialogText)};
    if (!OpenWindow(Rect{left, top, left + width - 1, top + height - 1}, style, title, dialog->window)) return nullptr;
    return dialog;
}

Control* Insert(Dialog& dialog, std::unique_ptr<Control> control) {
    if (!control || dialog.Count() >= kMaxControls) return nullptr;
    control->owner = &dialog;
    dialog.controls.push_back(std::move(control));
    if (dialog.firstButton == 0 && dialog.controls.back()->Kind() == ControlKind::PushButton)
        dialog.firstButton = dialog.Count();
    dialog.controls.back()->Draw();
    return dialog.controls.back().get();
}

Command Execute(Dialog& dialog) {
    dialog.ended = false;
    const bool controlsRun = FocusableFrom(dialog, 1) != 0;
    Event event;
    while (!dialog.ended) {
        if (controlsRun) {
            // A handler may have set any number: out of range the focus starts over.
            FocusControl(dialog, dialog.current >= 1 && dialog.current <= dialog.Count() ? dialog.current : 1);
            dialog.ControlAt(dialog.current).Run(event);
        } else {
            GetEvent(event);
        }
        if (dialog.handler) {
            dialog.handler(dialog, event);
        } else {
            HandleEvent(dialog, event);
        }
    }
    return event.command;
}

void EndModal(Dialog& dialog) { dialog.ended = true; }

void FocusControl(Dialog& dialog, int number) {
    if (number < 1 || number > dialog.Count()) return;
    const int focusable = FocusableFrom(dialog, number);
    dialog.current = focusable != 0 ? focusable : number;
}

void HandleEvent(Dialog& dialog, Event& event) {
    if (event.kind == EventKind::Key) HandleKey(dialog, event);
    if (event.kind == EventKind::Mouse) HandleMouse(dialog, event);
    if (event.kind == EventKind::Command && EndsDialog(event.command)) EndModal(dialog);
}

void DisposeDialog(std::unique_ptr<Dialog>& dialog) { dialog.reset(); }

bool DataChanged() { return TheDesktop().dataChanged; }
void SetDataChanged(bool changed) { TheDesktop().dataChanged = changed; }

}  // namespace tui
