#include "platform/virtual_console.h"

#include <cstdio>
#include <cstdlib>

#include "platform/clock.h"
#include "platform/cp852.h"
#include "platform/pc_keyboard.h"
#include "platform/screen_text.h"

namespace platform {

VirtualConsole::VirtualConsole(int columns, int rows)
    : GridConsole(columns, rows), shown_(static_cast<std::size_t>(columns * rows)) {}

void VirtualConsole::pushKey(std::uint16_t code, std::uint8_t shiftState) {
    input_.emplace_back(KeyPress{code, shiftState});
}

void VirtualConsole::pushText(std::string_view text) {
    for (char ch : text) pushKey(pc::characterKey(static_cast<std::uint8_t>(ch)));
}

void VirtualConsole::pushMouse(std::uint16_t buttons, int column, int row) {
    input_.emplace_back(MouseReport{buttons, column, row});
}

void VirtualConsole::pushAction(std::function<void()> action) { input_.emplace_back(std::move(action)); }

void VirtualConsole::pushIdle() { input_.emplace_back(Idle{}); }

std::string VirtualConsole::rowText(int row) const {
    std::string bytes;
    for (int column = 1; column <= columns(); ++column) bytes += static_cast<char>(grid().at(column, row).character);
    return cp852::toUtf8(bytes, cp852::Controls::AsGlyphs);
}

std::string VirtualConsole::screenText() const {
    std::vector<Cell> cells;
    grid().readRect(1, 1, columns(), rows(), cells);
    return screenTextOf(cells, columns());
}

std::string VirtualConsole::shownText() const { return screenTextOf(shown_, columns()); }

bool VirtualConsole::allShown() const {
    std::vector<Cell> cells;
    grid().readRect(1, 1, columns(), rows(), cells);
    return cells == shown_;
}

std::string VirtualConsole::bytesAt(int column, int row, int length) const {
    std::string bytes;
    for (int i = 0; i < length && column + i <= columns(); ++i)
        bytes += static_cast<char>(grid().at(column + i, row).character);
    return bytes;
}

bool VirtualConsole::screenContains(std::string_view utf8) const {
    return screenText().find(utf8) != std::string::npos;
}

void VirtualConsole::flush() {
    cellsFlushed_ += grid().takeChanges(
        [this](int column, int row, const Cell& cell) { shown_[(row - 1) * columns() + (column - 1)] = cell; });
}

void VirtualConsole::runActions() {
    while (!input_.empty() && std::holds_alternative<std::function<void()>>(input_.front())) {
        auto action = std::move(std::get<std::function<void()>>(input_.front()));
        input_.pop_front();
        action();
    }
}

void VirtualConsole::noteDryPoll() {
    if (++dryPolls_ < dryLimit_) return;
    dryPolls_ = 0;
    if (onDry_) {
        onDry_();
        return;
    }
    std::fprintf(stderr, "virtual console: the program waits for input and none is scripted\n%s\n",
                 screenText().c_str());
    std::abort();
}

void VirtualConsole::waitForInput(std::uint32_t ms) {
    // A key or click at the head of the script has arrived: the wait ends at once.
    // Otherwise the whole pause passes, as the clock's pause: the input scripted
    // after a pause in it comes with the next poll.
    const bool arrived = !input_.empty() && (std::holds_alternative<KeyPress>(input_.front()) ||
                                             std::holds_alternative<MouseReport>(input_.front()));
    clock().sleepMs(arrived ? 0 : ms);
}

bool VirtualConsole::keyWaiting() {
    runActions();
    // The input poll asks for keys first: the pause is over after this poll.
    if (!input_.empty() && std::holds_alternative<Idle>(input_.front())) {
        input_.pop_front();
        return false;
    }
    if (!input_.empty() && std::holds_alternative<KeyPress>(input_.front())) return true;
    if (input_.empty()) noteDryPoll();
    return false;
}

std::optional<KeyPress> VirtualConsole::readKey() {
    if (!keyWaiting()) return std::nullopt;
    dryPolls_ = 0;
    const KeyPress key = std::get<KeyPress>(input_.front());
    input_.pop_front();
    return key;
}

bool VirtualConsole::mouseWaiting() {
    runActions();
    return !input_.empty() && std::holds_alternative<MouseReport>(input_.front());
}

std::optional<MouseReport> VirtualConsole::readMouse() {
    if (!mouseWaiting()) return std::nullopt;
    dryPolls_ = 0;
    const MouseReport report = std::get<MouseReport>(input_.front());
    input_.pop_front();
    return report;
}

bool VirtualConsole::readClipboard(std::string& text) {
    if (!clipboardAvailable_) return false;
    text = clipboard_;
    return true;
}

bool VirtualConsole::writeClipboard(std::string_view text) {
    if (!clipboardAvailable_) return false;
    clipboard_ = text;
    return true;
}

}  // namespace platform
