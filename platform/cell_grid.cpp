#include "platform/cell_grid.h"

#include <algorithm>

namespace platform {

CellGrid::CellGrid(int columns, int rows) { resize(columns, rows); }

void CellGrid::resize(int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    cells_.assign(static_cast<std::size_t>(columns * rows), Cell{});
    dirty_.assign(cells_.size(), true);
}

void CellGrid::markAllChanged() { std::fill(dirty_.begin(), dirty_.end(), true); }

void CellGrid::set(int column, int row, Cell cell) {
    if (!inside(column, row)) return;
    const int i = index(column, row);
    if (cells_[i] == cell) return;
    cells_[i] = cell;
    dirty_[i] = true;
}

bool CellGrid::clip(int& left, int& top, int& right, int& bottom) const {
    left = std::max(left, 1);
    top = std::max(top, 1);
    right = std::min(right, columns_);
    bottom = std::min(bottom, rows_);
    return left <= right && top <= bottom;
}

void CellGrid::write(int column, int row, std::string_view text, std::uint8_t attribute) {
    for (char c : text) set(column++, row, Cell{static_cast<std::uint8_t>(c), attribute});
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
        for (int column = left; column <= right; ++column) set(column, row, Cell{character, attribute});
}

void CellGrid::scrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) {
    if (!clip(left, top, right, bottom) || lines <= 0) return;
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column) {
            const int from = row + lines;
            set(column, row, from <= bottom ? at(column, from) : Cell{' ', attribute});
        }
}

}  // namespace platform
