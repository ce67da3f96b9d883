#include "tui/push_button.h"

#include <algorithm>

namespace tui {

namespace {

constexpr std::size_t kTextMax = 70;
constexpr char kShadowTop = '\xDC';     // ▄
constexpr char kShadowSide = '\xDB';    // █
constexpr char kShadowBottom = '\xDF';  // ▀
constexpr char kPressedLeft = '\xAF';   // »
constexpr char kPressedRight = '\xAE';  // «
// The high bit of the attribute: a bright (or blinking) background.
constexpr Attribute kBright = 0x80;

// The text cut to width and centred in it.
std::string Centred(std::string_view text, int width) {
    const auto room = static_cast<std::size_t>(std::max(width, 0));
    text = text.substr(0, room);
    std::string line((room - text.size()) / 2, ' ');
    line += text;
    line.resize(room, ' ');
    return line;
}

}  // namespace

PushButton::PushButton(Command command, std::string_view text, int height, int width, int row, int column)
    : Control(ControlKind::PushButton, Rect{column, row, column + width - 1, row + height - 1}, nullptr),
      command(command),
      text(text.substr(0, kTextMax)) {}

void PushButton::DrawBody() {
    const Attribute face = Colour(colSelection);
    const Attribute shadow = ControlColour(1);
    const int width = area.Width();
    const int middle = area.Height() / 2;
    for (int r = 0; r < area.Height(); ++r) {
        const int row = area.top + r;
        if (!focused) {
            Write(face, area.left, row, r == middle ? Centred(text, width) : std::string(width, ' '));
            Write(shadow, area.left + width, row, std::string(1, r == 0 ? kShadowTop : kShadowSide));
            continue;
        }
        Write(Colour(colDialogText), area.left, row, " ");
        Write(face, area.left + 1, row, std::string(width, ' '));
        if (r != middle) continue;
        Write(face, area.left + 2, row, Centred(text, width - 2));
        Write(face | kBright, area.left + 1, row, std::string(1, kPressedLeft));
        Write(face | kBright, area.left + width, row, std::string(1, kPressedRight));
    }
    const int below = area.top + area.Height();
    if (focused) {
        Write(Colour(colDialogText), area.left, below, std::string(width + 1, ' '));
    } else {
        Write(shadow, area.left, below, " " + std::string(width, kShadowBottom));
    }
}

void PushButton::PlaceFocusCursor() { SetCursorShape(platform::CursorShape::Hidden); }

bool PushButton::HandleInput(Event& event) {
    int column = 0;
    int row = 0;
    const bool pressed = event.IsKey(kbEnter) || event.IsKey(kbSpace) ||
                         (LeftClickAt(event, column, row) && area.Contains(column, row));
    if (pressed) SetCommand(event, command, source::Button);
    return false;
}

std::unique_ptr<PushButton> NewButton(Command command, std::string_view text, int height, int width, int row,
                                      int column) {
    return std::make_unique<PushButton>(command, text, height, width, row, column);
}

}  // namespace tui
