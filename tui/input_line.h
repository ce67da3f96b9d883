#pragma once
// The input line: a field of fixed width on one row that edits the caller's string in
// place, with insert and overwrite typing, undo of the whole edit, a private
// clipboard, the platform's clipboard and case conversion. The field shows the whole
// value unless it is given a narrower visible width; then it scrolls sideways to keep
// the cursor in view.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "tui/control.h"

namespace tui {

// Bits of the mode an input box hands to its field.
namespace inputMode {
inline constexpr std::uint8_t Mask = 0x01;   // one "*" per character instead of the text
inline constexpr std::uint8_t Upper = 0x02;  // typed letters upper-cased
}  // namespace inputMode

class InputLine : public Control {
public:
    // value must outlive the control; a value longer than maxLength (1-255) is cut.
    InputLine(std::string& value, int maxLength, int row, int column, std::unique_ptr<Label> label);

    void SetMode(std::uint8_t mode);
    // Shows only columns (1 up to the maximum length) of the value at a time.
    void SetVisibleWidth(int columns);
    int Cursor() const { return cursor_; }
    int Scroll() const { return scroll_; }  // characters hidden on the left

protected:
    void DrawBody() override;
    void PlaceFocusCursor() override;
    void TakeFocus() override;
    bool HandleInput(Event& event) override;
    bool ReleaseFocus() override;

private:
    int Length() const { return static_cast<int>(value_.size()); }
    void Type(char c);
    bool HandleKey(KeyCode key);
    // Replaces the whole value, cut to the field; the cursor goes after it.
    void Replace(std::string_view text);
    void CursorAfterText();
    int Width() const { return area.right - area.left + 1; }
    // The character cell the cursor stands on: after the last character of a full
    // field (where typing only sounds the tone) it stays on that character's cell,
    // so a field as wide as its maximum never scrolls and a narrower one never
    // scrolls past the end of the value.
    int CursorCell() const;
    // Scrolls so that the cursor's cell stands inside the visible columns.
    void KeepCursorInView();

    std::string& value_;
    int maxLength_;
    int cursor_ = 1;  // position within the value being edited, from 1
    int scroll_ = 0;
    bool mask_ = false;
    bool upper_ = false;
    std::string entry_;  // the value when the field got the focus
};

std::unique_ptr<InputLine> NewInputLine(std::string& value, int maxLength, int row, int column,
                                        std::unique_ptr<Label> label);

// The private clipboard, shared by every field for the whole run (at most 128
// characters). Ctrl+Insert and Shift+Insert use it too where the platform has no
// clipboard of its own.
const std::string& PrivateClipboard();
void SetPrivateClipboard(std::string_view text);

}  // namespace tui
