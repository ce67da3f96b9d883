#pragma once
// A screen test for dialogs and controls: the process-wide state that dialogs keep
// (data-changed flag, typing mode, private clipboard) back at its start-up values.
#include "tests/support/screen_test.h"
#include "tui/dialog.h"
#include "tui/input_line.h"

namespace qztest {

class DialogTest : public ScreenTest {
protected:
    DialogTest() {
        tui::SetDataChanged(false);
        tui::SetInsertMode(true);
        tui::SetPrivateClipboard("");
    }

    // A left click at (column, row) of a dialog's interior, then a pause, so that
    // the next click is a click of its own.
    void clickAt(const tui::Dialog& dialog, int column, int row) {
        const tui::Rect& inner = dialog.window->inner;
        screen.PushMouse(1, inner.left + column - 1, inner.top + row - 1);
        screen.PushIdle();
    }
};

}  // namespace qztest
