#include "tui/message_box.h"

#include <algorithm>

#include "platform/cp852.h"
#include "tui/box_text.h"
#include "tui/dialog.h"
#include "tui/input_line.h"
#include "tui/push_button.h"

namespace tui {

using namespace platform::literals;

namespace {

// A narrower field stands in a window of this fixed width and place.
constexpr int kNarrowWindowWidth = 41;
constexpr int kNarrowWindowLeft = 20;
constexpr int kHeight = 10;
constexpr int kTop = 8;
constexpr int kFieldRow = 5;
constexpr int kFirstPromptRow = 2;
constexpr std::size_t kPromptMax = 78;

// The prompt on the rows above the field.
void WritePrompt(const Window& window, std::string_view prompt) {
    const int interiorWidth = window.inner.Width();
    int row = kFirstPromptRow;
    for (const BoxLine& line : BoxLines(prompt)) {
        if (row >= kFieldRow) return;
        const std::string_view text = line.text.substr(0, kPromptMax);
        const int column = line.centred ? (interiorWidth - static_cast<int>(text.size())) / 2 + 1 : 2;
        WriteInWindow(window, Colour(colDialogText), column, row++, text);
    }
}

}  // namespace

Command InputBox(std::uint8_t mode, std::string& value, std::string_view prompt, int fieldWidth, Recorded recorded) {
    const bool changedBefore = DataChanged();
    // The whole value: a cancelled box gives back exactly what the caller had.
    const std::string kept = value;
    if (fieldWidth < 1 || fieldWidth > kWideInputField) fieldWidth = kWideInputField;
    const bool narrow = fieldWidth < kWideInputField;
    const int width = narrow ? kNarrowWindowWidth : fieldWidth + 2;
    const int left = narrow ? kNarrowWindowLeft : 40 - width / 2;

    Question question(prompt, recorded);
    Command result = cmCancel;
    if (auto dialog = OpenDialog("", kHeight, width, kTop, left)) {
        WritePrompt(*dialog->window, prompt);
        // The field must stay inside the frame: with the widest field the window's
        // interior is exactly as wide as the field.
        const int column = std::min((width - fieldWidth - 2) / 2 + 2, dialog->window->inner.Width() - fieldWidth + 1);
        auto field = NewInputLine(value, fieldWidth, kFieldRow, column, nullptr);
        field->SetMode(mode);
        Insert(*dialog, std::move(field));
        Insert(*dialog, NewButton(cmAccept, "OK", 1, 8, 7, 16));
        dialog->hints = PushHintBar(NewHint(NewHint(nullptr, cmCancel, kbEsc, "Esc - zrezygnuj"), cmAccept, kbEnter,
                                            "Enter - potwierdź"_cp));
        result = Execute(*dialog);
        PopHintBar(dialog->hints);
        if (result != cmAccept) value = kept;
        DisposeDialog(dialog);
    }
    SetDataChanged(changedBefore);
    question.Answer(value);
    return result;
}

}  // namespace tui
