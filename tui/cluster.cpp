#include "tui/cluster.h"

#include <algorithm>
#include <limits>

namespace tui {

namespace {

constexpr std::size_t kItemTextMax = 78;
constexpr int kCheckListMax = 16;
constexpr int kRadioGroupMax = std::numeric_limits<int>::max();
// The mark, its brackets and a blank stand before the item's text.
constexpr int kTextOffset = 4;
constexpr char kSetMark = '\xFE';    // ■
constexpr char kRadioClear = '\xFA';  // ˙

Rect ClusterArea(const std::vector<std::string>& items, int row, int column) {
    std::size_t longest = 0;
    for (const std::string& text : items) longest = std::max(longest, text.size());
    const int rows = std::max(static_cast<int>(items.size()), 1);
    return Rect{column, row, column + kTextOffset + static_cast<int>(longest) - 1, row + rows - 1};
}

std::vector<std::string> Texts(std::unique_ptr<Item> items, int most) {
    std::vector<std::string> texts;
    for (const Item* item = items.get(); item && static_cast<int>(texts.size()) < most; item = item->next.get())
        texts.push_back(item->text);
    return texts;
}

}  // namespace

std::unique_ptr<Item> NewItem(std::string_view text, std::unique_ptr<Item> next) {
    auto item = std::make_unique<Item>();
    item->text = text.substr(0, kItemTextMax);
    item->next = std::move(next);
    return item;
}

Cluster::Cluster(ControlKind kind, std::vector<std::string> items, int row, int column, std::unique_ptr<Label> label,
                 Look look)
    : Control(kind, ClusterArea(items, row, column), std::move(label)), items_(std::move(items)), look_(look) {}

void Cluster::DrawBody() {
    for (int item = 0; item < ItemCount(); ++item) {
        const int row = area.top + item;
        Write(ControlColour(0), area.left, row, look_.brackets);
        Write(ControlColour(1), area.left + 1, row, std::string(1, Marked(item) ? look_.set : look_.clear));
        const bool lit = focused && item == highlighted_;
        Write(ControlColour(lit ? 1 : 0), area.left + kTextOffset, row, items_[static_cast<std::size_t>(item)]);
    }
}

void Cluster::PlaceFocusCursor() { ShowCursorAt(area.left + 1, area.top + highlighted_); }

void Cluster::TakeFocus() {
    highlighted_ = FirstHighlight();
    entry_ = State();
}

bool Cluster::HandleInput(Event& event) {
    const bool back = event.IsKey(kbUp) || event.IsKey(kbLeft);
    const bool forward = event.IsKey(kbDown) || event.IsKey(kbRight);
    int column = 0;
    int row = 0;
    if (back || forward) {
        const int next = highlighted_ + (back ? -1 : 1);
        if (next < 0 || next >= ItemCount()) return false;
        highlighted_ = next;
    } else if (LeftClickAt(event, column, row)) {
        const int item = ItemAt(column, row);
        if (item < 0) return false;
        Clicked(item);
    } else if (!Press(event)) {
        return false;
    }
    Draw();
    return true;
}

bool Cluster::ReleaseFocus() { return State() != entry_; }

int Cluster::ItemAt(int column, int row) const {
    const int item = row - area.top;
    if (item < 0 || item >= ItemCount()) return -1;
    const int end = area.left + kTextOffset + static_cast<int>(items_[static_cast<std::size_t>(item)].size());
    return column >= area.left && column < end ? item : -1;
}

CheckBox::CheckBox(std::string_view text, bool& value, int row, int column, std::unique_ptr<Label> label)
    : Cluster(ControlKind::CheckBox, {std::string(text.substr(0, kItemTextMax))}, row, column, std::move(label),
              Look{"[ ] ", kSetMark, ' '}),
      value_(value) {}

bool CheckBox::Marked(int) const { return value_; }

bool CheckBox::Press(const Event& event) {
    if (!event.IsKey(kbSpace) && !event.IsLetter('x')) return false;
    value_ = !value_;
    return true;
}

void CheckBox::Clicked(int) { value_ = !value_; }

CheckList::CheckList(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column,
                     std::unique_ptr<Label> label)
    : Cluster(ControlKind::CheckList, Texts(std::move(items), kCheckListMax), row, column, std::move(label),
              Look{"[ ] ", kSetMark, ' '}),
      value_(value) {}

bool CheckList::Marked(int item) const { return (value_ >> item) & 1; }

bool CheckList::Press(const Event& event) {
    const auto bit = static_cast<std::uint16_t>(1u << highlighted_);
    if (event.IsKey(kbSpace)) {
        value_ ^= bit;
    } else if (event.IsLetter('x') || event.IsKey(kbGrayPlus)) {
        value_ |= bit;
    } else if ((event.kind == EventKind::Key && event.character == '0') || event.IsKey(kbGrayMinus)) {
        value_ &= static_cast<std::uint16_t>(~bit);
    } else {
        return false;
    }
    return true;
}

void CheckList::Clicked(int item) {
    highlighted_ = item;
    value_ ^= static_cast<std::uint16_t>(1u << item);
}

RadioGroup::RadioGroup(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column,
                       std::unique_ptr<Label> label)
    : Cluster(ControlKind::RadioGroup, Texts(std::move(items), kRadioGroupMax), row, column, std::move(label),
              Look{"( ) ", kSetMark, kRadioClear}),
      value_(value) {}

bool RadioGroup::Marked(int item) const { return value_ == item; }

int RadioGroup::FirstHighlight() const { return std::min<int>(value_, std::max(ItemCount() - 1, 0)); }

// Moving the highlight chooses nothing; Space (or a click) does.
bool RadioGroup::Press(const Event& event) {
    if (!event.IsKey(kbSpace) && !event.IsLetter('x') && !event.IsKey(kbGrayPlus)) return false;
    value_ = static_cast<std::uint16_t>(highlighted_);
    return true;
}

void RadioGroup::Clicked(int item) {
    if (item == highlighted_) {
        ToneFocusedClick();
        return;
    }
    highlighted_ = item;
    value_ = static_cast<std::uint16_t>(item);
}

std::unique_ptr<CheckBox> NewCheckBox(std::string_view text, bool& value, int row, int column,
                                      std::unique_ptr<Label> label) {
    return std::make_unique<CheckBox>(text, value, row, column, std::move(label));
}

std::unique_ptr<CheckList> NewCheckList(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column,
                                        std::unique_ptr<Label> label) {
    return std::make_unique<CheckList>(std::move(items), value, row, column, std::move(label));
}

std::unique_ptr<RadioGroup> NewRadioGroup(std::unique_ptr<Item> items, std::uint16_t& value, int row, int column,
                                          std::unique_ptr<Label> label) {
    return std::make_unique<RadioGroup>(std::move(items), value, row, column, std::move(label));
}

}  // namespace tui
