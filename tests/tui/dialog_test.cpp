// Dialogs: drawing of a whole page, the modal loop, focus movement, hot keys, mouse
// rules, a page's own handler and disposal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp852.h"
#include "tests/tui/dialog_fixture.h"
#include "tui/cluster.h"
#include "tui/input_line.h"
#include "tui/push_button.h"

using namespace platform::literals;

namespace {

class SampleDialogTest : public qztest::DialogTest {
protected:
    // A dialog with one control of every kind but the list, interior from screen
    // column 6, row 4. Controls: 1 input line, 2 check box, 3 check-box list, 4 radio
    // group, 5 "OK", 6 "Porzuć".
    void open() {
        dialog = tui::OpenDialog(" Opcje ", 14, 50, 3, 5);
        ASSERT_NE(dialog, nullptr);
        tui::Insert(*dialog, tui::NewInputLine(directory, 20, 2, 3, tui::NewLabel("Katalog:", 1, 2)));
        tui::Insert(*dialog, tui::NewCheckBox("pokazuj powoli", slow, 4, 3, nullptr));
        auto copied = tui::NewItem("adresy", tui::NewItem("stałe"_cp, tui::NewItem("kolory", nullptr)));
        tui::Insert(*dialog, tui::NewCheckList(std::move(copied), items, 7, 3, tui::NewLabel("Kopiuj:", 6, 2)));
        auto staffItems = tui::NewItem("wszystkich", tui::NewItem("pytaj", nullptr));
        tui::Insert(*dialog,
                    tui::NewRadioGroup(std::move(staffItems), staff, 7, 26, tui::NewLabel("Pracownicy:", 6, 25)));
        tui::Insert(*dialog, tui::NewButton(tui::cmAccept, "OK", 1, 10, 11, 8));
        tui::Insert(*dialog, tui::NewButton(tui::cmCancel, "Porzuć"_cp, 1, 10, 11, 28));
    }

    std::unique_ptr<tui::Dialog> dialog;
    std::string directory = "KPR";
    bool slow = false;
    std::uint16_t items = 0x5;
    std::uint16_t staff = 1;
};

TEST_F(SampleDialogTest, DrawsEveryControlAndGivesTheScreenBack) {
    screen.Write(1, 10, std::string(80, '#'), 0x1E);
    const auto before = allCells();
    open();
    EXPECT_EQ(screen.ScreenText(),
              "\n"
              "\n"
              "    ┌──────────────────── Opcje ─────────────────────┐\n"
              "    │ Katalog:                                       │\n"
              "    │  KPR                                           │\n"
              "    │                                                │\n"
              "    │  [ ] pokazuj powoli                            │\n"
              "    │                                                │\n"
              "    │ Kopiuj:                Pracownicy:             │\n"
              "####│  [■] adresy             (˙) wszystkich         │##########################\n"
              "    │  [ ] stałe              (■) pytaj              │\n"
              "    │  [■] kolory                                    │\n"
              "    │                                                │\n"
              "    │           OK    ▄           Porzuć  ▄          │\n"
              "    │        ▀▀▀▀▀▀▀▀▀▀          ▀▀▀▀▀▀▀▀▀▀          │\n"
              "    └────────────────────────────────────────────────┘\n"
              "\n"
              "\n"
              "\n"
              "\n"
              "\n"
              "\n"
              "\n"
              "\n");
    EXPECT_EQ(attributeOf(5, 3, 20), 0x07);   // frame: colour 4
    EXPECT_EQ(attributeOf(26, 3, 7), 0x0F);   // title: colour 6
    EXPECT_EQ(screen.CellAt(30, 4).attribute, 0x02);  // interior: colour 5
    EXPECT_EQ(attributeOf(7, 4, 8), 0x07);    // labels without the focus: control colour 0
    EXPECT_EQ(attributeOf(8, 5, 20), 0x1F);   // the field without the focus: control colour 2
    EXPECT_EQ(screen.CellAt(8, 10).attribute, 0x07);  // brackets in colour 0
    EXPECT_EQ(screen.CellAt(10, 10).attribute, 0x07);
    EXPECT_EQ(screen.CellAt(9, 10).attribute, 0x0F);  // the mark in colour 1
    EXPECT_EQ(attributeOf(12, 10, 6), 0x07);  // item text without the focus
    EXPECT_EQ(attributeOf(13, 14, 10), 0x70);  // button face: colour 10
    EXPECT_EQ(screen.CellAt(23, 14).attribute, 0x0F);  // shadow: control colour 1
    EXPECT_EQ(attributeOf(14, 15, 10), 0x0F);

    tui::DisposeDialog(dialog);
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(allCells(), before);
}

TEST_F(SampleDialogTest, TheFocusedControlShowsItAndTabWalksThroughAll) {
    open();
    screen.PushAction([&] {
        EXPECT_EQ(attributeOf(7, 4, 8), 0x0F) << "focused label in control colour 1";
        EXPECT_EQ(attributeOf(8, 5, 20), 0x70) << "focused field in control colour 3";
        EXPECT_EQ(screen.CursorColumn(), 11);  // after "KPR"
        EXPECT_EQ(screen.CursorRow(), 5);
    });
    screen.PushKey(tui::kbTab);
    screen.PushAction([&] {
        EXPECT_EQ(attributeOf(7, 4, 8), 0x07);
        EXPECT_EQ(attributeOf(8, 5, 20), 0x1F);
        EXPECT_EQ(attributeOf(12, 7, 14), 0x0F) << "check box text lit";
        EXPECT_EQ(screen.CursorColumn(), 9);  // on the mark
        EXPECT_EQ(screen.CursorRow(), 7);
    });
    for (int i = 0; i < 3; ++i) screen.PushKey(tui::kbTab);  // list, radio group, "OK"
    screen.PushAction([&] {
        EXPECT_EQ(rows(14, 15),
                  "    │        »   OK   «           Porzuć  ▄          │\n"
                  "    │                            ▀▀▀▀▀▀▀▀▀▀          │\n");
        EXPECT_EQ(screen.CellAt(13, 14).attribute, 0x02) << "the blank before a pressed button";
        EXPECT_EQ(screen.CellAt(14, 14).attribute, 0xF0) << "» in the face colour with the high bit";
        EXPECT_EQ(screen.CellAt(23, 14).attribute, 0xF0);
        EXPECT_EQ(attributeOf(15, 14, 8), 0x70);
        EXPECT_EQ(attributeOf(13, 15, 11), 0x02) << "the shadow erased";
        EXPECT_EQ(screen.CursorShapeShown(), platform::CursorShape::Hidden);
    });
    screen.PushKey(tui::kbTab);     // "Porzuć"
    screen.PushKey(tui::kbTab);     // wraps to the input line
    screen.PushKey(tui::kbShiftTab);  // back to "Porzuć"
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_EQ(dialog->current, 6);
    EXPECT_FALSE(tui::DataChanged());
}

TEST_F(SampleDialogTest, ArrowsAndEnterMoveTheFocusOnlyWhereControlsHandThemBack) {
    open();
    // Enter in the field goes on to the check box; Down there to the list, whose own
    // Down walks its three items and then hands the key back. The radio group starts
    // on its chosen (last) item: Right hands the key back and "OK" gets the focus,
    // Left there comes back; Up moves to the first item and Up again leaves the group.
    const tui::KeyCode keys[] = {tui::kbEnter, tui::kbDown, tui::kbDown, tui::kbDown, tui::kbDown,
                                 tui::kbRight, tui::kbLeft, tui::kbUp, tui::kbUp};
    for (tui::KeyCode key : keys) screen.PushKey(key);
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 3); });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_EQ(staff, 1) << "moving through the radio group chose nothing";
}

TEST_F(SampleDialogTest, LettersPressTheButtonTheyBeginOutsideTheField) {
    open();
    tui::FocusControl(*dialog, 2);
    screen.PushText("p");
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_EQ(dialog->current, 6);

    tui::FocusControl(*dialog, 1);
    screen.PushText("o");  // typed into the field
    screen.PushKey(tui::kbTab);
    screen.PushText("O");
    EXPECT_EQ(tui::Execute(*dialog), tui::cmAccept);
    EXPECT_EQ(directory, "KPRo");
    EXPECT_TRUE(tui::DataChanged());
}

TEST_F(SampleDialogTest, ClicksFocusFirstAndActSecond) {
    open();
    clickAt(*dialog, 30, 11);  // "Porzuć": focused only
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 6); });
    clickAt(*dialog, 3, 4);    // the check box: focused only
    screen.PushAction([&] {
        EXPECT_EQ(dialog->current, 2);
        EXPECT_FALSE(slow);
    });
    clickAt(*dialog, 10, 4);   // now it flips
    clickAt(*dialog, 28, 6);   // the radio group's label focuses the group
    clickAt(*dialog, 28, 6);   // a click on the focused control's label only sounds
    screen.PushAction([&] {
        EXPECT_EQ(dialog->current, 4);
        EXPECT_EQ(sound.played, (std::vector<platform::RecordingSound::Played>{{4000, 96}}));
    });
    clickAt(*dialog, 9, 11);   // "OK": focused
    clickAt(*dialog, 9, 11);   // pressed
    EXPECT_EQ(tui::Execute(*dialog), tui::cmAccept);
    EXPECT_TRUE(slow);
    EXPECT_TRUE(tui::DataChanged());
}

TEST_F(SampleDialogTest, MouseButtonsOtherThanTheLeftEndTheDialog) {
    struct Case {
        std::uint16_t buttons;
        tui::Command expected;
    };
    const Case cases[] = {{2, tui::cmCancel}, {3, tui::cmAccept}, {4, tui::cmAccept}};
    open();
    for (const Case& c : cases) {
        screen.PushMouse(c.buttons, 70, 22);  // far outside the dialog
        EXPECT_EQ(tui::Execute(*dialog), c.expected) << "buttons " << c.buttons;
    }
}

TEST_F(SampleDialogTest, APageHandlerRunsBeforeTheDialogs) {
    constexpr tui::Command cmNext = 0x1001;
    open();
    std::vector<tui::KeyCode> seen;
    dialog->hints = tui::PushHintBar(tui::NewHint(nullptr, cmNext, tui::kbPgDn, "PgDn-Dalej"));
    dialog->handler = [&](tui::Dialog& d, tui::Event& event) {
        if (event.kind == tui::EventKind::Key) seen.push_back(event.keyCode);
        if (event.IsCommand(cmNext)) {
            tui::EndModal(d);
            return;
        }
        tui::HandleEvent(d, event);
    };
    screen.PushKey(tui::kbTab);
    screen.PushText("n");  // no button begins with it: nothing happens
    screen.PushKey(tui::kbPgDn);
    EXPECT_EQ(tui::Execute(*dialog), cmNext);
    EXPECT_EQ(seen, (std::vector<tui::KeyCode>{tui::kbTab, 0x316E}));
    EXPECT_EQ(screen.RowText(25).substr(0, 14), " PgDn-Dalej│");
    tui::DisposeDialog(dialog);
    EXPECT_EQ(tui::CurrentHintBar(), nullptr);
    EXPECT_EQ(screen.RowText(25), std::string(80, ' '));
}

TEST_F(SampleDialogTest, F1CallsTheHelpWithTheControlsContextOrTheDialogs) {
    open();
    std::vector<std::uint16_t> contexts;
    dialog->help = [&](std::uint16_t context) { contexts.push_back(context); };
    dialog->helpContext = 7;
    dialog->ControlAt(2).helpContext = 30;
    screen.PushKey(tui::kbF1);
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbF1);
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_EQ(contexts, (std::vector<std::uint16_t>{7, 30}));
}

TEST_F(SampleDialogTest, FocusPassesOverControlsThatMayNotTakeIt) {
    open();
    dialog->ControlAt(2).skip = true;
    dialog->ControlAt(3).skip = true;
    tui::FocusControl(*dialog, 2);
    EXPECT_EQ(dialog->current, 4);
    tui::FocusControl(*dialog, 0);  // out of range: ignored
    tui::FocusControl(*dialog, 7);
    EXPECT_EQ(dialog->current, 4);
    tui::FocusControl(*dialog, 1);
    screen.PushKey(tui::kbTab);
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 4); });
    screen.PushKey(tui::kbShiftTab);
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 1); });
    clickAt(*dialog, 5, 4);  // on the skipped check box: nothing
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 1); });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);

    dialog->current = 0;  // set by hand out of range: the focus starts over
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_EQ(dialog->current, 1);
}

using DialogTest = qztest::DialogTest;

TEST_F(DialogTest, WithoutControlsTheDialogReadsEventsItselfAndOnlyItsCommandsEndIt) {
    auto dialog = tui::OpenDialog("", 6, 20, 5, 5);
    ASSERT_NE(dialog, nullptr);
    screen.PushKey(tui::kbEnter);
    screen.PushKey(tui::kbTab);
    screen.PushText("t");
    screen.PushMouse(1, 10, 7);
    screen.PushAction([&] { EXPECT_FALSE(dialog->ended); });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
}

TEST_F(DialogTest, TheToolkitsCommandsEndADialogAndOthersDoNot) {
    auto dialog = tui::OpenDialog("", 6, 20, 5, 5);
    ASSERT_NE(dialog, nullptr);
    const tui::Command ending[] = {tui::cmYes, tui::cmNo, tui::cmAccept, tui::cmCancel};
    const tui::Command others[] = {0xDD06, 0x1001, 0};
    for (tui::Command command : ending) {
        tui::Event event;
        tui::SetCommand(event, command, 0);
        dialog->ended = false;
        tui::HandleEvent(*dialog, event);
        EXPECT_TRUE(dialog->ended) << std::hex << command;
    }
    for (tui::Command command : others) {
        tui::Event event;
        tui::SetCommand(event, command, 0);
        dialog->ended = false;
        tui::HandleEvent(*dialog, event);
        EXPECT_FALSE(dialog->ended) << std::hex << command;
    }
}

TEST_F(DialogTest, ASingleControlKeepsTheFocus) {
    auto dialog = tui::OpenDialog("", 6, 20, 5, 5);
    ASSERT_NE(dialog, nullptr);
    bool flag = false;
    tui::Insert(*dialog, tui::NewCheckBox("jeden", flag, 1, 1, nullptr));
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_TRUE(flag);
}

TEST_F(DialogTest, ADialogOffTheScreenDoesNotOpen) {
    const auto before = allCells();
    EXPECT_EQ(tui::OpenDialog(" X ", 10, 40, 20, 20), nullptr);
    EXPECT_EQ(tui::OpenDialog(" X ", 10, 40, 5, 60), nullptr);
    EXPECT_EQ(allCells(), before);
}

TEST_F(DialogTest, InsertTakesAtMost255ControlsAndIgnoresNone) {
    auto dialog = tui::OpenDialog("", 6, 20, 5, 5);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(tui::Insert(*dialog, nullptr), nullptr);
    bool flag = false;
    for (int i = 0; i < tui::kMaxControls; ++i)
        ASSERT_NE(tui::Insert(*dialog, tui::NewCheckBox("x", flag, 1, 1, nullptr)), nullptr);
    EXPECT_EQ(tui::Insert(*dialog, tui::NewCheckBox("x", flag, 1, 1, nullptr)), nullptr);
    EXPECT_EQ(dialog->Count(), 255);
    EXPECT_EQ(dialog->firstButton, 0);
}

}  // namespace
