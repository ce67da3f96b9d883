#pragma once
// The input line: a field of fixed width on one row that edits the caller's string in
// place, with insert and overwrite typing, undo of the whole edit, a private
// clipboard, the platform's clipboard and case conversion.
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
    int cursor() const { return cursor_; }

protected:
    void DrawBody() override;
    void PlaceFocusCursor() override;
    void TakeFocus() override;
    bool HandleInput(Event& event) override;
    bool ReleaseFocus() override;

private:
    int length() const { return static_cast<int>(value_.size()); }
    void Type(char c);
    bool HandleKey(KeyCode key);
    // Replaces the whole value, cut to the field; the cursor goes after it.
    void Replace(std::string_view text);
    void CursorAfterText();

    std::string& value_;
    int maxLength_;
    int cursor_ = 1;  // column within the field, from 1
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
