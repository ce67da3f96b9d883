#include "tui/pick_list.h"

#include <algorithm>

#include "platform/cp852.h"
#include "tui/commands.h"
#include "tui/polish_text.h"
#include "tui/question.h"
#include "tui/tones.h"

namespace tui {

using namespace platform::literals;

namespace {

constexpr std::size_t kMaxSearchKeys = 5;
constexpr std::size_t kSearchMax = 40;
constexpr std::size_t kComparedMax = 80;
constexpr std::string_view kEmptyMark = ">> PUSTO <<";
constexpr char kHorizontal = '\xC4';  // ─

void ToneNotFound() { Tone(2, 1200); }

}  // namespace

PickList::PickList(PickListOwner& owner, std::int32_t& current, int height, int width, int row, int column,
                   std::unique_ptr<Label> label)
    // The frame runs from the list's column to one past its right edge (column + width + 2).
    : Control(ControlKind::PickList, Rect{column, row, column + width + 3, row + height + 1}, std::move(label)),
      itemOwner_(owner),
      current_(current),
      height_(std::max(height, 1)),
      width_(std::max(width, 1)) {}

void PickList::AddSearchKey(int column) {
    if (searchKeys_.size() < kMaxSearchKeys && column >= 1) searchKeys_.push_back(column);
}

int PickList::Visible() const { return static_cast<int>(std::min<std::int32_t>(height_, count_)); }

void PickList::DrawBody() {
    count_ = std::max<std::int32_t>(itemOwner_.ItemCount(), 0);
    if (count_ == 0) {
        current_ = 0;
    } else if (current_ < 1 || current_ > count_) {
        current_ = 1;
    }
    BringIntoView();
    Paint();
}

void PickList::BringIntoView() {
    if (count_ <= height_) {
        top_ = 0;
        return;
    }
    top_ = std::clamp<std::int32_t>(current_ - Visible() / 2, 0, count_ - Visible());
}

void PickList::Paint() {
    const int left = area.left;
    const int top = area.top;
    const int right = area.right - 1;
    const int bottom = area.bottom;
    const Attribute frame = ControlColour(focused ? 1 : 0);
    const std::string horizontal(static_cast<std::size_t>(right - left), kHorizontal);
    Write(frame, left, top, std::string("┌"_cp) + horizontal + std::string("┐"_cp));
    for (int row = top + 1; row < bottom; ++row) {
        Write(frame, left, row, "│"_cp);
        Write(Colour(colDialogText), left + 1, row, std::string(static_cast<std::size_t>(right - left), ' '));
        Write(frame, right + 1, row, "│"_cp);
    }
    for (int r = 1; r <= Visible(); ++r) {
        std::string text = itemOwner_.ItemText(top_ + r);
        text.resize(static_cast<std::size_t>(width_), ' ');
        Write(ControlColour(top_ + r == current_ ? 3 : 2), left + 2, top + r, text);
    }
    if (count_ == 0) {
        const std::size_t shown = std::min(kEmptyMark.size(), static_cast<std::size_t>(width_));
        const int indent = (width_ - static_cast<int>(shown)) / 2;
        Write(Colour(colError), left + 2 + indent, top + 1, kEmptyMark.substr(0, shown));
    }

    // The bottom line carries the search prompt under the active key's column; it
    // stops short of the scroll mark.
    Write(frame, left, bottom, std::string("└"_cp) + horizontal + std::string("┘"_cp));
    const int promptColumn = left + searchKeys_[activeKey_];
    const std::string prompt = focused ? ">" + search_ : std::string(1, kHorizontal);
    const int room = std::max(right - 2 - promptColumn, 0);
    Write(frame, promptColumn, bottom, std::string(prompt.substr(0, static_cast<std::size_t>(room))));

    const bool above = focused && top_ > 0;
    const bool below = focused && top_ + Visible() < count_;
    Write(frame, right - 2, top, std::string(1, above ? '^' : kHorizontal));
    Write(frame, right - 2, bottom, std::string(1, below ? 'v' : kHorizontal));
}

void PickList::PlaceFocusCursor() { SetCursorShape(platform::CursorShape::Hidden); }

bool PickList::HandleInput(Event& event) {
    const bool searching = event.kind == EventKind::Key && !event.extended && IsTypedCharacter(event.character) &&
                           !event.IsKey(kbGrayPlus);
    if (!searching) search_.clear();
    count_ = std::max<std::int32_t>(itemOwner_.ItemCount(), 0);
    if (count_ == 0) return HandleEmpty(event);
    int column = 0;
    int row = 0;
    if (LeftClickAt(event, column, row)) return HandleClick(event, column, row);
    if (event.kind != EventKind::Key) return false;
    return HandleKey(event);
}

bool PickList::HandleEmpty(Event& event) {
    int column = 0;
    int row = 0;
    const bool onFirstRow = LeftClickAt(event, column, row) && row == area.top + 1 && column > area.left &&
                            column < area.right;
    if (event.IsKey(kbEnter) || event.IsKey(kbDel)) {
        ClearEvent(event);
        Beep();
        return true;
    }
    if (event.IsKey(kbInsert) || event.IsCommand(cmListSelect) || onFirstRow) SetCommand(event, cmListInsert, 0);
    return false;
}

bool PickList::HandleKey(Event& event) {
    switch (event.keyCode) {
        case kbUp: MoveBy(-1); return true;
        case kbDown: MoveBy(1); return true;
        case kbPgUp: JumpTo(current_ - Visible()); return true;
        case kbPgDn: JumpTo(current_ + Visible()); return true;
        case kbHome: JumpTo(1); return true;
        case kbEnd: JumpTo(count_); return true;
        case kbEnter: SetCommand(event, cmListSelect, 0); return false;
        case kbCtrlEnter: SetCommand(event, cmListChoose, 0); return false;
        case kbDel: SetCommand(event, cmListDelete, 0); return false;
        case kbInsert: SetCommand(event, cmListInsert, 0); return false;
        // The dialog or the list's owner has these.
        case kbEsc: case kbCtrlD: case kbGrayPlus: case kbF1: return false;
        case kbTab:
        case kbShiftTab:
            activeKey_ = (activeKey_ + 1) % searchKeys_.size();
            Paint();
            return true;
        default:
            break;
    }
    if (event.extended || !IsTypedCharacter(event.character)) return false;
    Search(static_cast<char>(event.character));
    return true;
}

bool PickList::HandleClick(Event& event, int column, int row) {
    if (!area.Contains(column, row)) return false;
    if (row == area.top) {
        JumpTo(current_ - Visible());
    } else if (row <= area.top + Visible()) {
        if (row - area.top == BarRow()) {
            SetCommand(event, cmListSelect, 0);
            return false;
        }
        current_ = top_ + (row - area.top);
        Paint();
    } else {
        JumpTo(current_ + Visible());
    }
    return true;
}

void PickList::MoveBy(int step) {
    const std::int32_t next = current_ + step;
    if (next < 1 || next > count_) return;
    current_ = next;
    // At the edge of the rows the items scroll by one line.
    if (current_ <= top_) top_ = current_ - 1;
    if (current_ > top_ + Visible()) top_ = current_ - Visible();
    Paint();
}

void PickList::JumpTo(std::int32_t item) {
    current_ = std::clamp<std::int32_t>(item, 1, count_);
    BringIntoView();
    Paint();
}

void PickList::Search(char typed) {
    if (search_.size() < kSearchMax) search_ += UpperChar(typed);
    const std::int32_t start = search_.size() == 1 ? 1 : current_;
    const auto keyColumn = static_cast<std::size_t>(searchKeys_[activeKey_] - 1);
    for (std::int32_t item = start; item <= count_; ++item) {
        const std::string text = UpperString(itemOwner_.ItemText(item));
        const std::string_view part = keyColumn < text.size()
                                          ? std::string_view(text).substr(keyColumn, kComparedMax)
                                          : std::string_view();
        if (part.substr(0, search_.size()) == search_ && part.size() >= search_.size()) {
            JumpTo(item);
            return;
        }
    }
    // The search never wraps to the items above its start.
    ToneNotFound();
    DiscardTypeAhead();
    search_.clear();
    Paint();
}

std::unique_ptr<PickList> NewPickList(PickListOwner& owner, std::int32_t& current, int height, int width, int row,
                                      int column, std::unique_ptr<Label> label) {
    return std::make_unique<PickList>(owner, current, height, width, row, column, std::move(label));
}

void AddSearchKey(PickList& list, int column) { list.AddSearchKey(column); }

}  // namespace tui
