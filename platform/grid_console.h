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
    int Columns() const override { return grid_.Columns(); }
    int Rows() const override { return grid_.Rows(); }
    void Write(int column, int row, std::string_view text, std::uint8_t attribute) override;
    void ReadRect(int left, int top, int right, int bottom, std::vector<Cell>& cells) const override;
    void WriteRect(int left, int top, int right, int bottom, const std::vector<Cell>& cells) override;
    void Fill(int left, int top, int right, int bottom, std::uint8_t character,
              std::uint8_t attribute) override;
    void ScrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) override;
    // The cursor is kept on the screen.
    void SetCursor(int column, int row) override;
    void SetCursorShape(CursorShape shape) override { cursorShape_ = shape; }

    int CursorColumn() const { return cursorColumn_; }
    int CursorRow() const { return cursorRow_; }
    CursorShape CursorShapeShown() const { return cursorShape_; }

protected:
    GridConsole(int columns, int rows) : grid_(columns, rows) {}

    CellGrid& Grid() { return grid_; }
    const CellGrid& Grid() const { return grid_; }

private:
    CellGrid grid_;
    int cursorColumn_ = 1;
    int cursorRow_ = 1;
    CursorShape cursorShape_ = CursorShape::BottomFifth;
};

// A console on a device whose input is read in batches: Pump() reads what the device
// has sent and queues the keys and clicks, which the input calls then hand out in
// order.
class QueuedInputConsole : public GridConsole {
public:
    bool KeyWaiting() override;
    std::optional<KeyPress> ReadKey() override;
    bool MouseWaiting() override;
    std::optional<MouseReport> ReadMouse() override;

protected:
    using GridConsole::GridConsole;

    virtual void Pump() = 0;
    // Pumps, and tells whether a key or click is queued.
    bool InputQueued();
    void QueueKey(const KeyPress& key) { keys_.push_back(key); }
    // A report from outside the program's screen (the device's window may be larger)
    // is dropped.
    void QueueMouse(const MouseReport& mouse);
    void ClearInput();

private:
    std::deque<KeyPress> keys_;
    std::deque<MouseReport> mice_;
};

}  // namespace platform
