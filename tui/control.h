#pragma once
// The common part of dialog controls: place on the dialog's interior, caption, focus
// and the input loop a control runs while it has the focus. The kinds (input line,
// check box, check-box list, radio group, push button, pick list) decide only what is
// particular to them: how they draw, which events they take, what their value is.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "tui/colours.h"
#include "tui/event.h"
#include "tui/screen.h"

namespace tui {

struct Dialog;

// A control's caption at (column, row) of the dialog's interior. It has no hot key;
// a click on it focuses its control.
struct Label {
    std::string text;  // at most 80 characters
    int column = 1;
    int row = 1;

    bool Contains(int atColumn, int atRow) const {
        return atRow == row && atColumn >= column && atColumn < column + static_cast<int>(text.size());
    }
};

std::unique_ptr<Label> NewLabel(std::string_view text, int row, int column);

enum class ControlKind : std::uint8_t { InputLine, CheckBox, CheckList, RadioGroup, PushButton, PickList };

class Control {
public:
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind Kind() const { return kind_; }

    // Draws the caption and the control into its dialog; nothing before it is inserted.
    void Draw();
    // Takes the focus and runs the control's own input until an event that it does not
    // handle, which it leaves in event for the dialog; then gives the focus up and
    // raises the data-changed flag when the value differs from the value on entry.
    void Run(Event& event);
    // Whether the control's area or its caption's holds the interior position.
    bool Hit(int column, int row) const;
    bool MayFocus() const { return !skip; }

    Dialog* owner = nullptr;  // set when inserted; the dialog outlives its controls
    Rect area;                // on the dialog's interior, from 1
    bool focused = false;
    bool skip = false;        // never takes the focus
    std::uint16_t helpContext = 0;  // 0: the dialog's
    std::unique_ptr<Label> label;

protected:
    Control(ControlKind kind, const Rect& area, std::unique_ptr<Label> label);

    virtual void DrawBody() = 0;
    // Called while focused after every drawing.
    virtual void PlaceFocusCursor() = 0;
    // The focus arrives: keep the value on entry.
    virtual void TakeFocus() {}
    // One event while focused; false hands it back to the dialog.
    virtual bool HandleInput(Event& event) = 0;
    // The focus leaves: true when the value differs from the value on entry.
    virtual bool ReleaseFocus() { return false; }

    // Writes at (column, row) of the dialog's interior.
    void Write(Attribute attribute, int column, int row, std::string_view text) const;
    // Shows the cursor at (column, row) of the interior in the shape of the typing mode.
    void ShowCursorAt(int column, int row) const;
    // The interior position of a left click; false for anything else.
    bool LeftClickAt(const Event& event, int& column, int& row) const;

private:
    ControlKind kind_;
};

// Typing mode shared by every input field: insert (true, the start) or overwrite.
// The cursor covers the bottom fifth of the cell in insert mode, the bottom half in
// overwrite mode.
bool InsertMode();
void SetInsertMode(bool insert);

// The characters that fields and list searches accept as text: 21, 32-126, 128-254.
constexpr bool IsTypedCharacter(std::uint8_t c) { return c == 21 || (c >= 32 && c <= 126) || (c >= 128 && c <= 254); }

// Short tones of the controls.
void ToneFocusedClick();  // a click that changes nothing: 4000 Hz, 96 ms

}  // namespace tui
