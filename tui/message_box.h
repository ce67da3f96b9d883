#pragma once
// The modal boxes through which every error, warning and question reaches the user.
// Each opens over whatever is on screen and puts the screen back when it closes.
// Message texts are code page 852; CR ends a line, byte 3 at a line's start centres
// it, and in MessageBox the text before a byte 7 becomes the title.
#include <cstdint>
#include <string>
#include <string_view>

#include "tui/commands.h"
#include "tui/question.h"

namespace tui {

// Box flags: bits 0-3 the type (title and colours), bits 8-11 the buttons.
namespace box {
inline constexpr std::uint16_t Warning = 0x0;      // " UWAGA "
inline constexpr std::uint16_t Error = 0x1;        // " Błąd ", error colours
inline constexpr std::uint16_t Information = 0x2;  // " Informacja "
inline constexpr std::uint16_t Confirm = 0x3;      // " Potwierdź "
inline constexpr std::uint16_t SelfClosing = 0x8;  // shown 2500 ms without reading keys
inline constexpr std::uint16_t Yes = 0x100;
inline constexpr std::uint16_t No = 0x200;
inline constexpr std::uint16_t Ok = 0x400;
inline constexpr std::uint16_t Abandon = 0x800;
}  // namespace box

inline constexpr char kLineEnd = '\r';
inline constexpr char kCentre = '\x03';
inline constexpr char kTitleEnd = '\x07';

// Each box is a question (tui/question.h); recorded tells whether the run's record
// keeps its text with the answer.
Command MessageBox(std::uint16_t flags, std::string_view text, int height, int width, int top, int left,
                   Recorded recorded = Recorded::No);
// MessageBox 10 rows by 40 columns at column 20, row 8.
Command ShowBox(std::uint16_t flags, std::string_view text, Recorded recorded = Recorded::No);
// ShowBox titled " Błąd " with one "OK" button; the answer is not needed.
void ErrorBox(std::string_view text);
// The input box's widest field, its width unless the caller asks for a narrower one.
inline constexpr int kWideInputField = 37;
// One-line input in a field fieldWidth columns wide (1-36; anything else gives the
// widest); cmAccept when accepted (value holds the edit), else value unchanged.
// A recorded box hands its prompt with the value it leaves to the run's record.
Command InputBox(std::uint8_t mode, std::string& value, std::string_view prompt, int fieldWidth = kWideInputField,
                 Recorded recorded = Recorded::No);
// Two-choice question in a plain window at (column, row); true for yes.
bool AskYesNo(bool defaultAnswer, std::string_view question, int row, int column);

}  // namespace tui
