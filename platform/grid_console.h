#pragma once
// What every console keeps in memory the same way: the screen's cells with their
// changes since the last flush, and where the cursor stands and in what form. A
// console built on it adds only how it shows them and where its input comes from.
#include <deque>

#include "platform/cell_grid.h"
#include "platform/console.h"

namespace platform {

class GridConsole : public Console {
public:
    int columns() const override { return grid_.columns(); }
    int rows() const override { return grid_.rows(); }
    void write(int column, int row, std::string_view text, std::uint8_t attribute) override;
    void readRect(int left, int top, int right, int bottom, std::vector<Cell>& cells) const override;
    void writeRect(int left, int top, int right, int bottom, const std::vector<Cell>& cells) override;
    void fill(int left, int top, int right, int bottom, std::uint8_t character,
              std::uint8_t attribute) override;
    void scrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) override;
    // The cursor is kept on the screen.
    void setCursor(int column, int row) override;
    void setCursorShape(CursorShape shape) override { cursorShape_ = shape; }

    int cursorColumn() const { return cursorColumn_; }
    int cursorRow() const { return cursorRow_; }
    CursorShape cursorShape() const { return cursorShape_; }

protected:
    GridConsole(int columns, int rows) : grid_(columns, rows) {}

    CellGrid& grid() { return grid_; }
    const CellGrid& grid() const { return grid_; }

private:
    CellGrid grid_;
    int cursorColumn_ = 1;
    int cursorRow_ = 1;
    CursorShape cursorShape_ = CursorShape::BottomFifth;
};

// A console on a device whose input is read in batches: pump() reads what the device
// has sent and queues the keys and clicks, which the input calls then hand out in
// order.
class QueuedInputConsole : public GridConsole {
public:
    bool keyWaiting() override;
    std::optional<KeyPress> readKey() override;
    bool mouseWaiting() override;
    std::optional<MouseReport> readMouse() override;

protected:
    using GridConsole::GridConsole;

    virtual void pump() = 0;
    // Pumps, and tells whether a key or click is queued.
    bool inputQueued();
    void queueKey(const KeyPress& key) { keys_.push_back(key); }
    // A report from outside the program's screen (the device's window may be larger)
    // is dropped.
    void queueMouse(const MouseReport& mouse);
    void clearInput();

private:
    std::deque<KeyPress> keys_;
    std::deque<MouseReport> mice_;
};

}  // namespace platform
