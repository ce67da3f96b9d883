#include "tui/message_box.h"

#include <algorithm>
#include <array>

#include "platform/cp852.h"
#include "tui/box_text.h"
#include "tui/dialog.h"
#include "tui/journal.h"
#include "tui/push_button.h"

namespace tui {

using namespace platform::literals;

namespace {

struct BoxButton {
    std::uint16_t flag;
    std::string_view text;
    Command command;
};

// In the order they stand in the box.
constexpr std::array<BoxButton, 4> kButtons = {{
    {box::Yes, "Tak", cmYes},
    {box::No, "Nie", cmNo},
    {box::Ok, "OK", cmAccept},
    {box::Abandon, "Porzuć"_cp, cmCancel},
}};

constexpr std::uint16_t kTypeBits = 0x000F;
constexpr int kButtonWidth = 9;
constexpr std::size_t kTitleMax = 78;
constexpr std::uint32_t kSelfClosingMs = 2500;
// Standard bounds of ShowBox.
constexpr int kShowHeight = 10;
constexpr int kShowWidth = 40;
constexpr int kShowTop = 8;
constexpr int kShowLeft = 20;

bool IsErrorType(std::uint16_t type) { return type == box::Error || type == box::SelfClosing; }

std::string_view TypeTitle(std::uint16_t type) {
    if (IsErrorType(type)) return " Błąd "_cp;
    if (type == box::Information) return " Informacja ";
    if (type == box::Confirm) return " Potwierdź "_cp;
    return " UWAGA ";
}

// The message's lines from interior row 1, above the row of the buttons.
void WriteMessage(const Window& window, std::string_view message, int height, int width) {
    const auto room = static_cast<std::size_t>(width - 2);
    int row = 0;
    for (const BoxLine& line : BoxLines(message)) {
        if (++row > height - 4) return;
        const std::string_view text = line.text.substr(0, room);
        const int column = line.centred ? (width - static_cast<int>(text.size())) / 2 : 1;
        WriteInWindow(window, Colour(colDialogText), column, row, text);
    }
}

void InsertButtons(Dialog& dialog, std::uint16_t flags, int height, int width) {
    int count = 0;
    for (const BoxButton& button : kButtons) count += (flags & button.flag) ? 1 : 0;
    const int gap = (width - kButtonWidth * count) / (count + 1);
    int placed = 0;
    for (const BoxButton& button : kButtons) {
        if (!(flags & button.flag)) continue;
        const int column = gap + placed++ * (gap + kButtonWidth);
        Insert(dialog, NewButton(button.command, button.text, 1, kButtonWidth, height - 3, column));
    }
}

}  // namespace

Command MessageBox(std::uint16_t flags, std::string_view text, int height, int width, int top, int left,
                   Recorded recorded) {
    Question question(text, recorded);
    ColourScheme saved;
    SaveColours(saved);
    const std::uint16_t type = flags & kTypeBits;
    if (IsErrorType(type)) {
        // Frame, title and text of an error box all take the error colour.
        ColourScheme error = saved;
        error[colDialogFrame] = error[colDialogText] = error[colDialogTitle] = error[colError];
        RestoreColours(error);
    }
    std::string_view title = TypeTitle(type);
    std::string_view message = text;
    if (const auto end = text.find(kTitleEnd); end != std::string_view::npos) {
        title = text.substr(0, std::min(end, kTitleMax));
        message = text.substr(end + 1);
    }

    auto dialog = OpenDialog(title, height, width, top, left);
    if (!dialog) {
        RestoreColours(saved);
        return question.Answer(cmCancel);
    }
    WriteMessage(*dialog->window, message, height, width);
    InsertButtons(*dialog, flags, height, width);
    dialog->hints = PushHintBar(NewHint(nullptr, 0, 0, "?"));

    Command result = cmCancel;
    if (flags & box::SelfClosing) {
        Delay(kSelfClosingMs);
    } else {
        result = Execute(*dialog);
    }
    DisposeDialog(dialog);
    RestoreColours(saved);
    return question.Answer(result);
}

Command ShowBox(std::uint16_t flags, std::string_view text, Recorded recorded) {
    return MessageBox(flags, text, kShowHeight, kShowWidth, kShowTop, kShowLeft, recorded);
}

void ErrorBox(std::string_view text) {
    JournalLine(OneLine(text), true);
    static_cast<void>(ShowBox(box::Error | box::Ok, text));
}

}  // namespace tui
