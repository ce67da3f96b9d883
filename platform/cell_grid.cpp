#include "platform/cell_grid.h"

#include <algorithm>

namespace platform {

CellGrid::CellGrid(int columns, int rows) { resize(columns, rows); }

void CellGrid::resize(int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    cells_.assign(static_cast<std::size_t>(columns * rows), Cell{});
    dirty_.assign(cells_.size(), 1);
}

void CellGrid::markAllChanged() { std::fill(dirty_.begin(), dirty_.end(), std::uint8_t{1}); }

void CellGrid::set(int column, int row, Cell cell) {
    if (inside(column, row)) assign(index(column, row), cell);
}

bool CellGrid::clip(int& left, int& top, int& right, int& bottom) const {
    left = std::max(left, 1);
    top = std::max(top, 1);
    right = std::min(right, columns_);
    bottom = std::min(bottom, rows_);
    return left <= right && top <= bottom;
}

void CellGrid::write(int column, int row, std::string_view text, std::uint8_t attribute) {
    if (row < 1 || row > rows_ || column > columns_) return;
    if (column < 1) {
        text.remove_prefix(std::min(text.size(), static_cast<std::size_t>(1 - column)));
        column = 1;
    }
    // Clipped once, then one pass over the row: the progress log redraws whole rows.
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(columns_ - column + 1));
    const int first = index(column, row);
    for (std::size_t i = 0; i < count; ++i)
        assign(first + static_cast<int>(i), Cell{static_cast<std::uint8_t>(text[i]), attribute});
}

void CellGrid::readRect(int left, int top, int right, int bottom, std::vector<Cell>& out) const {
    out.clear();
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column)
            out.push_back(inside(column, row) ? at(column, row) : Cell{});
}

void CellGrid::writeRect(int left, int top, int right, int bottom, const std::vector<Cell>& in) {
    std::size_t i = 0;
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column, ++i)
            if (i < in.size()) set(column, row, in[i]);
}

void CellGrid::fill(int left, int top, int right, int bottom, std::uint8_t character,
                    std::uint8_t attribute) {
    if (!clip(left, top, right, bottom)) return;
    for (int row = top; row <= bottom; ++row)
        for (int i = index(left, row), end = index(right, row); i <= end; ++i) assign(i, Cell{character, attribute});
}

void CellGrid::scrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) {
    if (!clip(left, top, right, bottom) || lines <= 0) return;
    // Row by row from the top, so every row is read before it is written over.
    for (int row = top; row <= bottom; ++row) {
        const int from = row + lines;
        for (int i = index(left, row), end = index(right, row); i <= end; ++i)
            assign(i, from <= bottom ? cells_[i + lines * columns_] : Cell{' ', attribute});
    }
}

}  // namespace platform
