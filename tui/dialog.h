#pragma once
// Dialogs: a framed window with controls, the focus moving among them, run modally
// until a command ends it. The wizard pages and the boxes are dialogs.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "tui/commands.h"
#include "tui/control.h"
#include "tui/event.h"
#include "tui/hint_bar.h"
#include "tui/window.h"

namespace tui {

inline constexpr int kMaxControls = 255;

struct Dialog {
    Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Removes the hint bar, disposes the controls from the last to the first and
    // closes the window, so that the screen beneath comes back.
    ~Dialog();

    Window* window = nullptr;
    std::vector<std::unique_ptr<Control>> controls;  // control number k is controls[k - 1]
    int current = 1;                                 // the focused control's number
    int firstButton = 0;                             // number of the first push button; 0: none
    std::uint16_t helpContext = 0;
    std::function<void(std::uint16_t context)> help;  // F1; none: nothing happens
    HintBar* hints = nullptr;                          // popped with the dialog
    bool ended = false;
    // The page's own handler, called for every event instead of HandleEvent; it ends
    // with a call of HandleEvent for what it leaves.
    std::function<void(Dialog&, Event&)> handler;

    int Count() const { return static_cast<int>(controls.size()); }
    Control& ControlAt(int number) const { return *controls[static_cast<std::size_t>(number - 1)]; }
};

// Opens the dialog's framed window (title in colour 6, frame 4, interior 5) at
// column left, row top; nullptr when the window cannot be opened.
std::unique_ptr<Dialog> OpenDialog(std::string_view title, int height, int width, int top, int left);
// Appends the control, draws it and returns it (nullptr for none, or past 255
// controls). The dialog owns it from here on.
Control* Insert(Dialog& dialog, std::unique_ptr<Control> control);
// Runs the dialog until a command ends it; returns that command.
Command Execute(Dialog& dialog);
// The running Execute returns after the current event.
void EndModal(Dialog& dialog);
// Makes control number current (1 ... count); one that may not take the focus
// passes it on to the next one that may.
void FocusControl(Dialog& dialog, int number);
// The dialog's own handling: Esc and the right button cancel, the arrows, Tab and
// Enter move the focus, letters press the push button they begin, clicks focus
// controls, and the toolkit's commands end the dialog.
void HandleEvent(Dialog& dialog, Event& event);
void DisposeDialog(std::unique_ptr<Dialog>& dialog);

// Raised by a control whose value the user changed, when it loses the focus. Only
// the application clears it.
bool DataChanged();
void SetDataChanged(bool changed);

}  // namespace tui
