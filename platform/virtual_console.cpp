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

void VirtualConsole::PushKey(std::uint16_t code, std::uint8_t shiftState) {
    input_.emplace_back(KeyPress{code, shiftState});
}

void VirtualConsole::PushText(std::string_view text) {
    for (char ch : text) PushKey(pc::CharacterKey(static_cast<std::uint8_t>(ch)));
}

void VirtualConsole::PushMouse(std::uint16_t buttons, int column, int row) {
    input_.emplace_back(MouseReport{buttons, column, row});
}

void VirtualConsole::PushAction(std::function<void()> action) { input_.emplace_back(std::move(action)); }

void VirtualConsole::PushIdle() { input_.emplace_back(Idle{}); }

std::string VirtualConsole::RowText(int row) const {
    std::string bytes;
    for (int column = 1; column <= Columns(); ++column) bytes += static_cast<char>(Grid().At(column, row).character);
    return cp852::ToUtf8(bytes, cp852::Controls::AsGlyphs);
}

std::string VirtualConsole::ScreenText() const {
    std::vector<Cell> cells;
    Grid().ReadRect(1, 1, Columns(), Rows(), cells);
    return ScreenTextOf(cells, Columns());
}

std::string VirtualConsole::ShownText() const { return ScreenTextOf(shown_, Columns()); }

bool VirtualConsole::AllShown() const {
    std::vector<Cell> cells;
    Grid().ReadRect(1, 1, Columns(), Rows(), cells);
    return cells == shown_;
}

std::string VirtualConsole::BytesAt(int column, int row, int length) const {
    std::string bytes;
    for (int i = 0; i < length && column + i <= Columns(); ++i)
        bytes += static_cast<char>(Grid().At(column + i, row).character);
    return bytes;
}

bool VirtualConsole::ScreenContains(std::string_view utf8) const {
    return ScreenText().find(utf8) != std::string::npos;
}

void VirtualConsole::Flush() {
    cellsFlushed_ += Grid().TakeChanges(
        [this](int column, int row, const Cell& cell) { shown_[(row - 1) * Columns() + (column - 1)] = cell; });
}

void VirtualConsole::RunActions() {
    while (!input_.empty() && std::holds_alternative<std::function<void()>>(input_.front())) {
        auto action = std::move(std::get<std::function<void()>>(input_.front()));
        input_.pop_front();
        action();
    }
}

void VirtualConsole::NoteDryPoll() {
    if (++dryPolls_ < dryLimit_) return;
    dryPolls_ = 0;
    if (onDry_) {
        onDry_();
        return;
    }
    std::fprintf(stderr, "virtual console: the program waits for input and none is scripted\n%s\n",
                 ScreenText().c_str());
    std::abort();
}

void VirtualConsole::WaitForInput(std::uint32_t ms) {
    // A key or click at the head of the script has arrived: the wait ends at once.
    // Otherwise the whole pause passes, as the clock's pause: the input scripted
    // after a pause in it comes with the next poll.
    const bool arrived = !input_.empty() && (std::holds_alternative<KeyPress>(input_.front()) ||
                                             std::holds_alternative<MouseReport>(input_.front()));
    InstalledClock().SleepMs(arrived ? 0 : ms);
}

bool VirtualConsole::KeyWaiting() {
    RunActions();
    // The input poll asks for keys first: the pause is over after this poll.
    if (!input_.empty() && std::holds_alternative<Idle>(input_.front())) {
        input_.pop_front();
        return false;
    }
    if (!input_.empty() && std::holds_alternative<KeyPress>(input_.front())) return true;
    if (input_.empty()) NoteDryPoll();
    return false;
}

std::optional<KeyPress> VirtualConsole::ReadKey() {
    if (!KeyWaiting()) return std::nullopt;
    dryPolls_ = 0;
    const KeyPress key = std::get<KeyPress>(input_.front());
    input_.pop_front();
    return key;
}

bool VirtualConsole::MouseWaiting() {
    RunActions();
    return !input_.empty() && std::holds_alternative<MouseReport>(input_.front());
}

std::optional<MouseReport> VirtualConsole::ReadMouse() {
    if (!MouseWaiting()) return std::nullopt;
    dryPolls_ = 0;
    const MouseReport report = std::get<MouseReport>(input_.front());
    input_.pop_front();
    return report;
}

bool VirtualConsole::ReadClipboard(std::string& text) {
    if (!clipboardAvailable_) return false;
    text = clipboard_;
    return true;
}

bool VirtualConsole::WriteClipboard(std::string_view text) {
    if (!clipboardAvailable_) return false;
    clipboard_ = text;
    return true;
}

}  // namespace platform
