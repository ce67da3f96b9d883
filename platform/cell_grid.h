#pragma once
// The screen's cells in memory with a record of which changed since the last flush.
// Both the terminal and the virtual console draw into one; a flush sends only the
// changed cells.
#include <vector>

#include "platform/console.h"

namespace platform {

class CellGrid {
public:
    CellGrid(int columns, int rows);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }

    const Cell& At(int column, int row) const { return cells_[Index(column, row)]; }
    void Set(int column, int row, Cell cell);

    void Write(int column, int row, std::string_view text, std::uint8_t attribute);
    void ReadRect(int left, int top, int right, int bottom, std::vector<Cell>& out) const;
    void WriteRect(int left, int top, int right, int bottom, const std::vector<Cell>& in);
    void Fill(int left, int top, int right, int bottom, std::uint8_t character, std::uint8_t attribute);
    void ScrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute);

    // Calls show(column, row, cell) for each cell changed since the last call, row by
    // row, and forgets the changes. Returns the number of cells shown.
    template <typename Show>
    int TakeChanges(Show&& show) {
        int shown = 0;
        for (int row = 1; row <= rows_; ++row)
            for (int column = 1; column <= columns_; ++column) {
                const int i = Index(column, row);
                if (!dirty_[i]) continue;
                dirty_[i] = false;
                show(column, row, cells_[i]);
                ++shown;
            }
        return shown;
    }
    void MarkAllChanged();
    void Resize(int columns, int rows);

private:
    int Index(int column, int row) const { return (row - 1) * columns_ + (column - 1); }
    // Stores a cell and marks it changed only when it differs, so that a redraw of
    // what is already there sends nothing to the terminal.
    void Assign(int i, Cell cell) {
        if (cells_[i] == cell) return;
        cells_[i] = cell;
        dirty_[i] = 1;
    }
    bool Inside(int column, int row) const {
        return column >= 1 && column <= columns_ && row >= 1 && row <= rows_;
    }
    // Clips a rectangle to the screen; false when nothing of it is left.
    bool Clip(int& left, int& top, int& right, int& bottom) const;

    int columns_;
    int rows_;
    std::vector<Cell> cells_;
    std::vector<std::uint8_t> dirty_;  // bytes, not bits: every line of the log touches rows of them
};

}  // namespace platform
