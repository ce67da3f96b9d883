// The input line: every key of its table, insert and overwrite typing, the
// clipboards, the cursor and what happens when the field loses the focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp852.h"
#include "platform/pc_keyboard.h"
#include "tests/tui/dialog_fixture.h"
#include "tui/input_line.h"
#include "tui/push_button.h"

using namespace platform::literals;

namespace {

using Played = std::vector<platform::RecordingSound::Played>;

// A dialog whose interior starts at screen column 11, row 6: a field at interior
// (5, 2) and an "OK" button under it.
class InputLineTest : public qztest::DialogTest {
protected:
    void open(std::string& value, int maxLength) {
        dialog = tui::OpenDialog("", 8, 40, 5, 10);
        ASSERT_NE(dialog, nullptr);
        field = static_cast<tui::InputLine*>(tui::Insert(*dialog, tui::NewInputLine(value, maxLength, 2, 5, nullptr)));
        tui::Insert(*dialog, tui::NewButton(tui::cmAccept, "OK", 1, 8, 4, 5));
    }
    // Types keys into a field holding initial, then Tab and Enter on "OK"; returns
    // the value.
    std::string edit(std::string initial, int maxLength, const std::vector<tui::KeyCode>& keys) {
        open(initial, maxLength);
        for (tui::KeyCode key : keys) screen.PushKey(key);
        screen.PushKey(tui::kbTab);
        screen.PushKey(tui::kbEnter);
        EXPECT_EQ(tui::Execute(*dialog), tui::cmAccept);
        tui::DisposeDialog(dialog);
        return initial;
    }
    static tui::KeyCode key(char c) { return static_cast<tui::KeyCode>(platform::pc::CharacterKey(c)); }
    std::string fieldText(int length) const { return screen.BytesAt(15, 7, length); }

    std::unique_ptr<tui::Dialog> dialog;
    tui::InputLine* field = nullptr;
};

TEST_F(InputLineTest, KeysEditTheValue) {
    struct Case {
        const char* name;
        std::string initial;
        int maxLength;
        std::vector<tui::KeyCode> keys;
        std::string expected;
        Played tones;
    };
    const tui::KeyCode five = key('5'), nine = key('9'), x = key('x'), y = key('y');
    const Case cases[] = {
        {"insert at the start", "12", 3, {tui::kbCtrlLeft, five}, "512", {}},
        {"insert into a full field drops its last character", "512", 3, {tui::kbCtrlLeft, nine}, "951", {}},
        {"typing at the end of a full field replaces the last one", "512", 3, {nine}, "519", {}},
        {"past the end of the field", "512", 3, {nine, x}, "519", {{3000, 48}}},
        {"overwrite replaces", "abc", 5, {tui::kbInsert, tui::kbCtrlLeft, x, y}, "xyc", {}},
        {"overwrite appends at the end", "12", 3, {tui::kbInsert, five}, "125", {}},
        {"overwrite at the maximum length", "12", 3, {tui::kbInsert, five, nine}, "125", {{3000, 48}}},
        {"Backspace deletes left", "abc", 5, {tui::kbBackspace}, "ab", {}},
        {"Backspace at column 1", "abc", 5, {tui::kbCtrlLeft, tui::kbBackspace}, "abc", {{1200, 48}}},
        {"Backspace after a full field", "512", 3, {nine, tui::kbBackspace}, "51", {}},
        {"Del deletes under the cursor", "abc", 5, {tui::kbCtrlLeft, tui::kbDel}, "bc", {}},
        {"Del after the text", "abc", 5, {tui::kbDel}, "abc", {}},
        {"Del past the maximum length", "512", 3, {nine, tui::kbDel}, "519", {{2250, 48}}},
        {"Left, Right", "abc", 5, {tui::kbLeft, tui::kbLeft, tui::kbRight, x}, "abxc", {}},
        {"Right stops after the text", "abc", 5, {tui::kbLeft, tui::kbRight, tui::kbRight, x}, "abcx", {}},
        {"Ctrl+Right to the last character", "abc", 5, {tui::kbCtrlLeft, tui::kbCtrlRight, x}, "abxc", {}},
        {"Ctrl+Y clears", "abc", 5, {tui::kbCtrlY, x}, "x", {}},
        {"Ctrl+Y then Ctrl+P", "abc", 5, {tui::kbCtrlY, x, tui::kbCtrlP}, "abc", {}},
        {"Ctrl+P puts the cursor after the text", "abc", 5, {tui::kbCtrlLeft, tui::kbCtrlP, x}, "abcx", {}},
        {"Ctrl+D upper-cases Polish letters", std::string("zażółć"_cp), 10, {tui::kbCtrlD}, std::string("ZAŻÓŁĆ"_cp), {}},
        {"Ctrl+M lower-cases", std::string("ŁÓDŹ 2"_cp), 10, {tui::kbCtrlM}, std::string("łódź 2"_cp), {}},
        {"Ctrl+K, Ctrl+Y, Ctrl+W", "abc", 5, {tui::kbCtrlK, tui::kbCtrlY, tui::kbCtrlW, x}, "abcx", {}},
        {"Alt letters type Polish letters", "", 5, {tui::kbAltL}, std::string("ł"_cp), {}},
        {"code 21 is typed", "", 5, {0x1615, x}, "\x15x", {}},
        {"trailing blanks are removed", "ab", 10, {key(' '), key(' ')}, "ab", {}},
        {"inner blanks stay", "ab", 10, {key(' '), x, key(' ')}, "ab x", {}},
    };
    for (const Case& c : cases) {
        sound.played.clear();
        tui::SetInsertMode(true);
        EXPECT_EQ(edit(c.initial, c.maxLength, c.keys), c.expected) << c.name;
        EXPECT_EQ(sound.played, c.tones) << c.name;
    }
}

TEST_F(InputLineTest, EveryColumnShowsTheValueAndAFullFieldKeepsTheCursorOnItsLastCharacter) {
    struct Case {
        const char* name;
        int maxLength;
        int columns;  // visible width
        std::string typed;
        std::string shown;  // the visible columns after typing
        int cursorColumn;   // on the screen; the field starts at column 15
    };
    const Case cases[] = {
        {"a field as wide as its maximum never scrolls", 3, 3, "100", "100", 17},
        {"typing past its end changes nothing", 3, 3, "1005", "100", 17},
        {"a narrower field shows the end of a full value", 14, 7, "#BIN023ABCDEFA", "ABCDEFA", 21},
        {"and nothing else after typing past it", 14, 7, "#BIN023ABCDEFAX", "ABCDEFA", 21},
        {"a value shorter than the maximum: the cursor after it", 14, 7, "#BIN023AB", "N023AB ", 21},
    };
    for (const Case& c : cases) {
        std::string value;
        open(value, c.maxLength);
        if (c.columns != c.maxLength) field->SetVisibleWidth(c.columns);
        screen.PushText(c.typed);
        screen.PushAction([&] {
            EXPECT_EQ(fieldText(c.columns), c.shown) << c.name;
            EXPECT_EQ(screen.CursorColumn(), c.cursorColumn) << c.name;
        });
        screen.PushKey(tui::kbEsc);
        EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
        tui::DisposeDialog(dialog);
    }
}

TEST_F(InputLineTest, LeavingTheFieldTrimsItAndRaisesTheFlagOnlyForAChange) {
    struct Case {
        const char* name;
        std::vector<tui::KeyCode> keys;
        bool changed;
    };
    const Case cases[] = {
        {"nothing typed", {}, false},
        {"edited back to the initial text", {tui::kbBackspace, key('c')}, false},
        {"a blank added at the end", {key(' ')}, false},
        {"a character added", {key('d')}, true},
        {"cleared", {tui::kbCtrlY}, true},
    };
    for (const Case& c : cases) {
        tui::SetDataChanged(false);
        edit("abc", 10, c.keys);
        EXPECT_EQ(tui::DataChanged(), c.changed) << c.name;
    }
}

TEST_F(InputLineTest, LeftAtColumnOneAndRightAtTheMaximumHandTheKeyBack) {
    std::string value = "512";
    open(value, 3);
    screen.PushKey(tui::kbRight);  // the cursor stands on the last character: leaves
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 2); });
    screen.PushKey(tui::kbLeft);   // the button hands it back: to the field
    screen.PushKey(tui::kbCtrlLeft);
    screen.PushKey(tui::kbLeft);   // at column 1: leaves
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 2); });
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmAccept);
}

TEST_F(InputLineTest, TheFieldShowsTheValueAndTheCursorFollowsTheTypingMode) {
    std::string value = "abc";
    open(value, 6);
    EXPECT_EQ(fieldText(7), "abc    ");
    EXPECT_EQ(attributeOf(15, 7, 6), 0x1F);
    screen.PushAction([&] {
        EXPECT_EQ(attributeOf(15, 7, 6), 0x70);
        EXPECT_EQ(screen.CursorColumn(), 18);
        EXPECT_EQ(screen.CursorRow(), 7);
        EXPECT_EQ(screen.CursorShapeShown(), platform::CursorShape::BottomFifth);
    });
    screen.PushKey(tui::kbInsert);
    screen.PushAction([&] {
        EXPECT_FALSE(tui::InsertMode());
        EXPECT_EQ(screen.CursorShapeShown(), platform::CursorShape::BottomHalf);
    });
    screen.PushKey(tui::kbCtrlLeft);
    screen.PushAction([&] { EXPECT_EQ(screen.CursorColumn(), 15); });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_EQ(value, "abc");
}

TEST_F(InputLineTest, TheTypingModeIsSharedByEveryField) {
    std::string first = "ab";
    std::string second = "cd";
    dialog = tui::OpenDialog("", 8, 40, 5, 10);
    ASSERT_NE(dialog, nullptr);
    tui::Insert(*dialog, tui::NewInputLine(first, 5, 2, 5, nullptr));
    tui::Insert(*dialog, tui::NewInputLine(second, 5, 3, 5, nullptr));
    screen.PushKey(tui::kbInsert);
    screen.PushKey(tui::kbTab);
    screen.PushAction([&] { EXPECT_EQ(screen.CursorShapeShown(), platform::CursorShape::BottomHalf); });
    screen.PushKey(tui::kbCtrlLeft);
    screen.PushText("x");
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    EXPECT_EQ(second, "xd");
}

TEST_F(InputLineTest, AClickPlacesTheCursorButNotPastTheText) {
    std::string value = "abcd";
    open(value, 10);
    clickAt(*dialog, 6, 2);   // on "b"
    screen.PushText("x");
    clickAt(*dialog, 12, 2);  // far right of the text: after it
    screen.PushText("y");
    clickAt(*dialog, 6, 4);   // on the button: leaves, the dialog focuses the button
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmAccept);
    EXPECT_EQ(value, "axbcdy");
}

TEST_F(InputLineTest, TheClipboardsWithAndWithoutThePlatformsOwn) {
    // No platform clipboard (the terminal): Ctrl+Insert and Shift+Insert use the
    // private one.
    EXPECT_EQ(edit("abc", 5, {tui::kbCtrlInsert}), "abc");
    EXPECT_EQ(tui::PrivateClipboard(), "abc");
    EXPECT_EQ(edit("xy", 2, {tui::kbShiftInsert}), "ab") << "cut to the field";

    screen.SetClipboardAvailable(true);
    EXPECT_EQ(edit("123", 5, {tui::kbShiftInsert}), "") << "an empty platform clipboard";
    EXPECT_EQ(edit("456", 5, {tui::kbCtrlInsert, tui::kbCtrlY, tui::kbShiftInsert, key('7')}), "4567");
    EXPECT_EQ(tui::PrivateClipboard(), "abc") << "the private one untouched";
    std::string platformText;
    EXPECT_TRUE(screen.ReadClipboard(platformText));
    EXPECT_EQ(platformText, "456");

    tui::SetPrivateClipboard(std::string(200, 'q'));
    EXPECT_EQ(tui::PrivateClipboard().size(), 128u);
}

TEST_F(InputLineTest, ModeMasksTheTextOrUpperCasesWhatIsTyped) {
    std::string secret = "tajne";
    open(secret, 8);
    field->SetMode(tui::inputMode::Mask);
    EXPECT_EQ(fieldText(8), "*****   ");
    tui::DisposeDialog(dialog);

    std::string name;
    open(name, 8);
    field->SetMode(tui::inputMode::Upper);
    screen.PushText("ab");
    screen.PushKey(tui::kbAltS);
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmAccept);
    EXPECT_EQ(name, "ABŚ"_cp);
}

TEST_F(InputLineTest, AValueLongerThanTheFieldIsCut) {
    std::string value = "0123456789";
    tui::InputLine line(value, 4, 1, 1, nullptr);
    EXPECT_EQ(value, "0123");
    EXPECT_EQ(line.area, (tui::Rect{1, 1, 4, 1}));
    std::string other;
    tui::InputLine tooLong(other, 300, 1, 1, nullptr);
    EXPECT_EQ(tooLong.area.Width(), 255);
}

}  // namespace

namespace {

TEST_F(InputLineTest, ANarrowerVisibleWidthScrollsOverTheWholeValue) {
    // A field of 20 characters shown in 6 columns (screen columns 15-20).
    std::string value = "abcdefghij";
    open(value, 20);
    field->SetVisibleWidth(6);
    EXPECT_EQ(value, "abcdefghij") << "a value longer than the columns is kept";
    EXPECT_EQ(fieldText(7), "abcdef ") << "out of the focus the beginning shows";
    screen.PushAction([&] {
        EXPECT_EQ(fieldText(6), "fghij ") << "the cursor after the text, in the last column";
        EXPECT_EQ(screen.CursorColumn(), 20);
    });
    screen.PushText("kl");
    screen.PushAction([&] {
        EXPECT_EQ(fieldText(6), "hijkl ");
        EXPECT_EQ(field->Scroll(), 7);
    });
    screen.PushKey(tui::kbCtrlLeft);
    screen.PushAction([&] {
        EXPECT_EQ(fieldText(6), "abcdef");
        EXPECT_EQ(screen.CursorColumn(), 15);
    });
    clickAt(*dialog, 7, 2);  // the third column shows "c"
    screen.PushText("X");
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::Execute(*dialog), tui::cmAccept);
    EXPECT_EQ(value, "abXcdefghijkl");
    EXPECT_EQ(fieldText(7), "abXcde ");
}

}  // namespace
