#include "platform/grid_console.h"

#include <algorithm>

namespace platform {

void GridConsole::Write(int column, int row, std::string_view text, std::uint8_t attribute) {
    grid_.Write(column, row, text, attribute);
}

void GridConsole::ReadRect(int left, int top, int right, int bottom, std::vector<Cell>& cells) const {
    grid_.ReadRect(left, top, right, bottom, cells);
}

void GridConsole::WriteRect(int left, int top, int right, int bottom, const std::vector<Cell>& cells) {
    grid_.WriteRect(left, top, right, bottom, cells);
}

void GridConsole::Fill(int left, int top, int right, int bottom, std::uint8_t character, std::uint8_t attribute) {
    grid_.Fill(left, top, right, bottom, character, attribute);
}

void GridConsole::ScrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) {
    grid_.ScrollUp(left, top, right, bottom, lines, attribute);
}

void GridConsole::SetCursor(int column, int row) {
    cursorColumn_ = std::clamp(column, 1, grid_.Columns());
    cursorRow_ = std::clamp(row, 1, grid_.Rows());
}

bool QueuedInputConsole::InputQueued() {
    Pump();
    return !keys_.empty() || !mice_.empty();
}

void QueuedInputConsole::QueueMouse(const MouseReport& mouse) {
    if (mouse.column >= 1 && mouse.column <= Columns() && mouse.row >= 1 && mouse.row <= Rows())
        mice_.push_back(mouse);
}

void QueuedInputConsole::ClearInput() {
    keys_.clear();
    mice_.clear();
}

bool QueuedInputConsole::KeyWaiting() {
    Pump();
    return !keys_.empty();
}

std::optional<KeyPress> QueuedInputConsole::ReadKey() {
    if (!KeyWaiting()) return std::nullopt;
    const KeyPress key = keys_.front();
    keys_.pop_front();
    return key;
}

bool QueuedInputConsole::MouseWaiting() {
    Pump();
    return !mice_.empty();
}

std::optional<MouseReport> QueuedInputConsole::ReadMouse() {
    if (!MouseWaiting()) return std::nullopt;
    const MouseReport mouse = mice_.front();
    mice_.pop_front();
    return mouse;
}

}  // namespace platform
