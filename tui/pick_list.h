#pragma once
// The pick list: a framed, scrolling list of one-line items with a selection bar,
// search by typing the beginning of an item (at one of up to five columns of its
// text), and the list commands it hands to its dialog. The list never owns its
// items: it asks its owner for their count and text whenever it draws or searches.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tui/control.h"

namespace tui {

class PickListOwner {
public:
    virtual ~PickListOwner() = default;
    virtual std::int32_t ItemCount() = 0;
    // The line shown for item (1 ... count), at most 255 characters.
    virtual std::string ItemText(std::int32_t item) = 0;
};

class PickList : public Control {
public:
    // The frame stands at (column, row) of the dialog's interior, height rows of
    // items and width columns of item text inside it. owner and current must
    // outlive the list; current is the owner's item number (0 for an empty list).
    PickList(PickListOwner& owner, std::int32_t& current, int height, int width, int row, int column,
             std::unique_ptr<Label> label);

    std::int32_t Top() const { return top_; }  // items scrolled off above
    const std::string& SearchText() const { return search_; }

    // The next search key at that column of the item text (keys 2 to 5).
    void AddSearchKey(int column);

protected:
    void DrawBody() override;
    void PlaceFocusCursor() override;
    bool HandleInput(Event& event) override;

private:
    int Visible() const;
    std::int32_t BarRow() const { return current_ - top_; }
    // Draws frame, items, marks and search prompt with the list scrolled as it is.
    void Paint();
    // Scrolls so that the current item stands in the middle where it can.
    void BringIntoView();
    bool HandleEmpty(Event& event);
    bool HandleKey(Event& event);
    bool HandleClick(Event& event, int column, int row);
    void MoveBy(int step);
    void JumpTo(std::int32_t item);
    void Search(char typed);

    PickListOwner& itemOwner_;
    std::int32_t& current_;
    std::int32_t count_ = 0;  // as the owner told at the last drawing or search
    std::int32_t top_ = 0;
    int height_;
    int width_;
    std::vector<int> searchKeys_{1};  // columns of the item text
    std::size_t activeKey_ = 0;
    std::string search_;  // upper-cased
};

std::unique_ptr<PickList> NewPickList(PickListOwner& owner, std::int32_t& current, int height, int width, int row,
                                      int column, std::unique_ptr<Label> label);
void AddSearchKey(PickList& list, int column);

}  // namespace tui
