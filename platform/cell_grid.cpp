#include "platform/cell_grid.h"

#include <algorithm>

namespace platform {

CellGrid::CellGrid(int columns, int rows) { Resize(columns, rows); }

void CellGrid::Resize(int columns, int rows) {
    columns_ = columns;
    rows_ = rows;
    cells_.assign(static_cast<std::size_t>(columns * rows), Cell{});
    dirty_.assign(cells_.size(), 1);
}

void CellGrid::MarkAllChanged() { std::fill(dirty_.begin(), dirty_.end(), std::uint8_t{1}); }

void CellGrid::Set(int column, int row, Cell cell) {
    if (Inside(column, row)) Assign(Index(column, row), cell);
}

bool CellGrid::Clip(int& left, int& top, int& right, int& bottom) const {
    left = std::max(left, 1);
    top = std::max(top, 1);
    right = std::min(right, columns_);
    bottom = std::min(bottom, rows_);
    return left <= right && top <= bottom;
}

void CellGrid::Write(int column, int row, std::string_view text, std::uint8_t attribute) {
    if (row < 1 || row > rows_ || column > columns_) return;
    if (column < 1) {
        text.remove_prefix(std::min(text.size(), static_cast<std::size_t>(1 - column)));
        column = 1;
    }
    // Clipped once, then one pass over the row: the progress log redraws whole rows.
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(columns_ - column + 1));
    const int first = Index(column, row);
    for (std::size_t i = 0; i < count; ++i)
        Assign(first + static_cast<int>(i), Cell{static_cast<std::uint8_t>(text[i]), attribute});
}

void CellGrid::ReadRect(int left, int top, int right, int bottom, std::vector<Cell>& out) const {
    out.clear();
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column)
            out.push_back(Inside(column, row) ? At(column, row) : Cell{});
}

void CellGrid::WriteRect(int left, int top, int right, int bottom, const std::vector<Cell>& in) {
    std::size_t i = 0;
    for (int row = top; row <= bottom; ++row)
        for (int column = left; column <= right; ++column, ++i)
            if (i < in.size()) Set(column, row, in[i]);
}

void CellGrid::Fill(int left, int top, int right, int bottom, std::uint8_t character,
                    std::uint8_t attribute) {
    if (!Clip(left, top, right, bottom)) return;
    for (int row = top; row <= bottom; ++row)
        for (int i = Index(left, row), end = Index(right, row); i <= end; ++i) Assign(i, Cell{character, attribute});
}

void CellGrid::ScrollUp(int left, int top, int right, int bottom, int lines, std::uint8_t attribute) {
    if (!Clip(left, top, right, bottom) || lines <= 0) return;
    // Row by row from the top, so every row is read before it is written over.
    for (int row = top; row <= bottom; ++row) {
        const int from = row + lines;
        for (int i = Index(left, row), end = Index(right, row); i <= end; ++i)
            Assign(i, from <= bottom ? cells_[i + lines * columns_] : Cell{' ', attribute});
    }
}

}  // namespace platform
