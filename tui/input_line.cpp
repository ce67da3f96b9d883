#include "tui/input_line.h"

#include <algorithm>

#include "platform/console.h"
#include "tui/desktop.h"
#include "tui/polish_text.h"
#include "tui/tones.h"

namespace tui {

namespace {

constexpr int kMaxLengthLimit = 255;
constexpr std::size_t kClipboardMax = 128;

void ToneFieldFull() { Tone(1, 3000); }
void ToneAtStart() { Tone(1, 1200); }
void TonePastEnd() { Tone(1, 2250); }

std::string ReadClipboard() {
    platform::Console& console = platform::InstalledConsole();
    if (!console.ClipboardAvailable()) return PrivateClipboard();
    std::string text;
    // A clipboard that cannot be read counts as empty.
    if (!console.ReadClipboard(text)) text.clear();
    return text;
}

void WriteClipboard(std::string_view text) {
    platform::Console& console = platform::InstalledConsole();
    // The text stays in the field whatever happens: a failed copy loses nothing.
    if (console.ClipboardAvailable()) {
        static_cast<void>(console.WriteClipboard(text));
        return;
    }
    SetPrivateClipboard(text);
}

}  // namespace

InputLine::InputLine(std::string& value, int maxLength, int row, int column, std::unique_ptr<Label> label)
    : Control(ControlKind::InputLine,
              Rect{column, row, column + std::clamp(maxLength, 1, kMaxLengthLimit) - 1, row}, std::move(label)),
      value_(value),
      maxLength_(std::clamp(maxLength, 1, kMaxLengthLimit)) {
    if (Length() > maxLength_) value_.resize(static_cast<std::size_t>(maxLength_));
}

void InputLine::SetMode(std::uint8_t mode) {
    mask_ = mode & inputMode::Mask;
    upper_ = mode & inputMode::Upper;
    Draw();
}

void InputLine::SetVisibleWidth(int columns) {
    // Columns the field gives up show the dialog's interior again.
    Write(Colour(colDialogText), area.left, area.top, std::string(static_cast<std::size_t>(Width()), ' '));
    area.right = area.left + std::clamp(columns, 1, maxLength_) - 1;
    KeepCursorInView();
    Draw();
}

void InputLine::DrawBody() {
    std::string shown = mask_ ? std::string(value_.size(), '*') : value_;
    shown.resize(static_cast<std::size_t>(maxLength_), ' ');
    // Out of the focus the field shows the beginning of its value.
    const int from = focused ? scroll_ : 0;
    Write(ControlColour(focused ? 3 : 2), area.left, area.top,
          shown.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(Width())));
}

int InputLine::CursorCell() const { return std::min(cursor_, maxLength_); }

void InputLine::PlaceFocusCursor() { ShowCursorAt(area.left + CursorCell() - 1 - scroll_, area.top); }

void InputLine::TakeFocus() {
    entry_ = value_;
    CursorAfterText();
}

void InputLine::CursorAfterText() {
    cursor_ = std::min(Length() + 1, maxLength_);
    KeepCursorInView();
}

void InputLine::KeepCursorInView() {
    const int cell = CursorCell();
    if (cell - 1 < scroll_) scroll_ = cell - 1;
    if (cell - scroll_ > Width()) scroll_ = cell - Width();
}

bool InputLine::HandleInput(Event& event) {
    int column = 0;
    int row = 0;
    if (event.kind == EventKind::Key && !event.extended && IsTypedCharacter(event.character)) {
        Type(static_cast<char>(event.character));
    } else if (LeftClickAt(event, column, row)) {
        if (!area.Contains(column, row)) return false;
        cursor_ = std::min(scroll_ + column - area.left + 1, Length() + 1);
    } else if (event.kind != EventKind::Key || !HandleKey(event.keyCode)) {
        return false;
    }
    KeepCursorInView();
    Draw();
    return true;
}

void InputLine::Type(char c) {
    if (cursor_ > maxLength_) {
        ToneFieldFull();
        return;
    }
    if (upper_) c = UpperChar(c);
    const auto at = static_cast<std::size_t>(cursor_ - 1);
    if (InsertMode()) {
        if (Length() == maxLength_) value_.pop_back();
        value_.insert(std::min(at, value_.size()), 1, c);
    } else if (at < value_.size()) {
        value_[at] = c;
    } else {
        value_ += c;
    }
    ++cursor_;
}

bool InputLine::HandleKey(KeyCode key) {
    const auto at = static_cast<std::size_t>(cursor_ - 1);
    switch (key) {
        case kbBackspace:
            if (cursor_ == 1) {
                ToneAtStart();
                break;
            }
            --cursor_;
            if (at - 1 < value_.size()) value_.erase(at - 1, 1);
            break;
        case kbDel:
            if (cursor_ > maxLength_) {
                TonePastEnd();
            } else if (at < value_.size()) {
                value_.erase(at, 1);
            }
            break;
        case kbLeft:
            if (cursor_ == 1) return false;
            --cursor_;
            break;
        case kbRight:
            if (cursor_ >= maxLength_) return false;
            cursor_ = std::min(cursor_ + 1, Length() + 1);
            break;
        case kbCtrlLeft:
            cursor_ = 1;
            break;
        case kbCtrlRight:
            cursor_ = std::max(Length(), 1);
            break;
        case kbInsert:
            SetInsertMode(!InsertMode());
            break;
        case kbCtrlY:
            value_.clear();
            cursor_ = 1;
            break;
        case kbCtrlP:
            Replace(entry_);
            break;
        case kbCtrlD:
            value_ = UpperString(value_);
            break;
        case kbCtrlM:
            value_ = LowerString(value_);
            break;
        case kbCtrlK:
            SetPrivateClipboard(value_);
            break;
        case kbCtrlW:
            Replace(PrivateClipboard());
            break;
        case kbCtrlInsert:
            WriteClipboard(value_);
            break;
        case kbShiftInsert:
            Replace(ReadClipboard());
            break;
        default:
            return false;
    }
    return true;
}

void InputLine::Replace(std::string_view text) {
    value_ = text.substr(0, static_cast<std::size_t>(maxLength_));
    CursorAfterText();
}

bool InputLine::ReleaseFocus() {
    if (Length() > maxLength_) value_.resize(static_cast<std::size_t>(maxLength_));
    while (!value_.empty() && static_cast<std::uint8_t>(value_.back()) <= ' ') value_.pop_back();
    return value_ != entry_;
}

std::unique_ptr<InputLine> NewInputLine(std::string& value, int maxLength, int row, int column,
                                        std::unique_ptr<Label> label) {
    return std::make_unique<InputLine>(value, maxLength, row, column, std::move(label));
}

const std::string& PrivateClipboard() { return TheDesktop().clipboard; }

void SetPrivateClipboard(std::string_view text) { TheDesktop().clipboard = text.substr(0, kClipboardMax); }

}  // namespace tui
