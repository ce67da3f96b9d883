#include "platform/grid_console.h"

#include <algorithm>

namespace platform {

void GridConsole::write(int column, int row, std::string_view text, std::uint8_t attribute) {
    grid_.write(column, row, text, attribute);
}

void GridConsole::readRect(int left, int top, int right, int bottom, std::vector<Cell>& cells) const {
    grid_.readRect(left, top, right, bottom, cells);
}

void GridConsole::writeRect(int left, int top, int right, int bottom, const std::vector<Cell>& cells) {
    grid_.writeRect(left, top, right, bottom, cells);
}

void GridConsole::fill(int left, int top, int right, int bottom, std::uint8_t character, std::uint8_t attribute) {
    grid_.fill(left, top, right, bottom, character, attribute);
}

void GridConsole::scrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) {
    grid_.scrollUp(left, top, right, bottom, lines, attribute);
}

void GridConsole::setCursor(int column, int row) {
    cursorColumn_ = std::clamp(column, 1, grid_.columns());
    cursorRow_ = std::clamp(row, 1, grid_.rows());
}

bool QueuedInputConsole::inputQueued() {
    pump();
    return !keys_.empty() || !mice_.empty();
}

void QueuedInputConsole::queueMouse(const MouseReport& mouse) {
    if (mouse.column >= 1 && mouse.column <= columns() && mouse.row >= 1 && mouse.row <= rows())
        mice_.push_back(mouse);
}

void QueuedInputConsole::clearInput() {
    keys_.clear();
    mice_.clear();
}

bool QueuedInputConsole::keyWaiting() {
    pump();
    return !keys_.empty();
}

std::optional<KeyPress> QueuedInputConsole::readKey() {
    if (!keyWaiting()) return std::nullopt;
    const KeyPress key = keys_.front();
    keys_.pop_front();
    return key;
}

bool QueuedInputConsole::mouseWaiting() {
    pump();
    return !mice_.empty();
}

std::optional<MouseReport> QueuedInputConsole::readMouse() {
    if (!mouseWaiting()) return std::nullopt;
    const MouseReport mouse = mice_.front();
    mice_.pop_front();
    return mouse;
}

}  // namespace platform
