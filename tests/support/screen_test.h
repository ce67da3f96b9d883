#pragma once
// A program test whose screen layer starts from its start-up state, with helpers that
// read parts of the virtual screen for snapshots.
#include <string>
#include <vector>

#include "tests/support/program_test.h"
#include "tui/screen.h"

namespace qztest {

class ScreenTest : public ProgramTest {
protected:
    ScreenTest() { tui::InitScreen(); }

    // Rows top..bottom as UTF-8, trailing blanks removed, each ended by "\n".
    std::string rows(int top, int bottom) const {
        std::string out;
        for (int row = top; row <= bottom; ++row) {
            std::string line = screen.RowText(row);
            while (!line.empty() && line.back() == ' ') line.pop_back();
            out += line + "\n";
        }
        return out;
    }

    // Every cell of the screen, characters and attributes.
    std::vector<platform::Cell> allCells() const {
        std::vector<platform::Cell> cells;
        screen.ReadRect(1, 1, screen.Columns(), screen.Rows(), cells);
        return cells;
    }

    // The attribute of every cell of a run on one row, or -1 when they differ.
    int attributeOf(int column, int row, int length) const {
        const int attribute = screen.CellAt(column, row).attribute;
        for (int i = 1; i < length; ++i)
            if (screen.CellAt(column + i, row).attribute != attribute) return -1;
        return attribute;
    }
};

}  // namespace qztest
