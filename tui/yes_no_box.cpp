#include "tui/message_box.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/cp852.h"
#include "tui/box_text.h"
#include "tui/event.h"
#include "tui/hint_bar.h"
#include "tui/window.h"

namespace tui {

using namespace platform::literals;

namespace {

constexpr Command cmAnswerYes = 0x1111;
constexpr Command cmAnswerNo = 0x2222;
constexpr int kMinWidth = 7;
constexpr int kMaxWidth = 76;
// The box must end at column 80 and row 23 at the latest.
constexpr int kRightLimit = 77;
constexpr int kBottomLimit = 24;
constexpr std::string_view kRule = "─"_cp;

// One line of the choice: in the selection colour when selected, else in the text
// colour with its hot key (the letter after "~") lit. The text "─" draws a rule.
void DrawChoiceLine(bool selected, int width, int column, int row, std::string_view text) {
    const Attribute attribute = Colour(selected ? colSelection : colDialogText);
    if (text == kRule) {
        WriteAt(attribute, column, row, std::string(static_cast<std::size_t>(width + 2), kRule[0]));
        return;
    }
    std::string shown(text);
    const auto tilde = shown.find('~');
    if (tilde != std::string::npos) shown.erase(tilde, 1);
    std::string line = " " + shown;
    line.resize(static_cast<std::size_t>(width + 2), ' ');
    WriteAt(attribute, column, row, line);
    if (!selected && tilde != std::string::npos && tilde < shown.size())
        WriteAt(Colour(colHotKey), column + static_cast<int>(tilde) + 1, row, std::string(1, shown[tilde]));
}

}  // namespace

bool AskYesNo(bool defaultAnswer, std::string_view question, int row, int column) {
    const std::vector<std::string_view> lines = SplitLines(question);
    const int count = static_cast<int>(lines.size());
    std::size_t longest = 0;
    for (std::string_view line : lines) longest = std::max(longest, line.size());
    const int width = std::clamp(static_cast<int>(longest), kMinWidth, kMaxWidth);
    if (column + width > kRightLimit) column = kRightLimit - width;
    if (row + 5 + count > kBottomLimit) row = kBottomLimit - (count + 5);

    // Unrecorded: the asker records the answer, as the run's record may open only after it.
    Question asked;
    Window* window = nullptr;
    const WindowStyle style{Colour(colDialogFrame), Colour(colDialogText), Colour(colDialogText)};
    if (!OpenWindow(Rect{column, row, column + width + 3, row + count + 4}, style, "", window)) return false;
    for (int k = 0; k < count; ++k) {
        std::string line(lines[static_cast<std::size_t>(k)].substr(0, static_cast<std::size_t>(width)));
        line.resize(static_cast<std::size_t>(width), ' ');
        WriteAt(Colour(colQuestion), 2, k + 1, line);
    }
    DrawChoiceLine(false, width, 1, count + 1, kRule);
    HintBar* hints = PushHintBar(NewHint(NewHint(nullptr, cmAnswerNo, kbCtrlN, "^N - nie"), cmAnswerYes, kbCtrlT,
                                         "^T - tak"));

    const int yesRow = row + count + 2;
    bool answer = defaultAnswer;
    Event event;
    for (bool decided = false; !decided;) {
        DrawChoiceLine(answer, width, 1, count + 2, "~T a k");
        DrawChoiceLine(!answer, width, 1, count + 3, "~N i e");
        event = asked.Read();
        if (event.IsCommand(cmAnswerYes) || event.IsCommand(cmAnswerNo)) {
            answer = event.command == cmAnswerYes;
            decided = true;
        } else if (event.IsKey(kbEnter)) {
            decided = true;
        } else if (event.IsLetter('t') || event.IsLetter('n')) {
            answer = event.IsLetter('t');
            decided = true;
        } else if (event.IsKey(kbUp) || event.IsKey(kbDown)) {
            answer = !answer;
        } else if (event.kind == EventKind::Mouse) {
            answer = event.buttons == 1 && event.row == yesRow && event.column > column &&
                     event.column < column + width + 3;
            decided = true;
        }
    }
    PopHintBar(hints);
    ClearEvent(event);
    CloseWindow(window);
    return answer;
}

}  // namespace tui
