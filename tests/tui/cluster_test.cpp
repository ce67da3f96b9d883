// Check boxes, check-box lists and radio groups: what keys and clicks do to their
// values, where the highlight goes, and how the items are drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tui/dialog_fixture.h"
#include "tui/cluster.h"
#include "tui/push_button.h"

namespace {

using Played = std::vector<platform::RecordingSound::Played>;

// A dialog whose interior starts at screen column 11, row 6, with one cluster at
// interior (3, 2) and an "OK" button after it.
class ClusterTest : public qztest::DialogTest {
protected:
    void open(std::unique_ptr<tui::Control> cluster) {
        dialog = tui::OpenDialog(" Test ", 12, 40, 5, 10);
        ASSERT_NE(dialog, nullptr);
        tui::Insert(*dialog, std::move(cluster));
        tui::Insert(*dialog, tui::NewButton(tui::cmAccept, "OK", 1, 8, 8, 10));
    }
    static std::unique_ptr<tui::Item> threeItems() {
        return tui::NewItem("pierwszy", tui::NewItem("drugi", tui::NewItem("trzeci", nullptr)));
    }
    // The mark of item k (from 0).
    char mark(int item) const { return static_cast<char>(screen.CellAt(14, 7 + item).character); }
    // Runs the dialog to its end by Enter on "OK" after the keys pushed so far.
    tui::Command runToOk() {
        screen.PushKey(tui::kbEnter);
        return tui::Execute(*dialog);
    }

    std::unique_ptr<tui::Dialog> dialog;
};

TEST_F(ClusterTest, CheckListKeysChangeOneBitAndKeepTheBitsBeyondItsItems) {
    struct Case {
        const char* name;
        std::vector<tui::KeyCode> keys;
        std::uint16_t expected;
    };
    const Case cases[] = {
        {"Space flips item 1", {tui::kbSpace}, 0x8004},
        {"Space twice", {tui::kbSpace, tui::kbSpace}, 0x8005},
        {"Down, Space flips item 2", {tui::kbDown, tui::kbSpace}, 0x8007},
        {"Right, x sets item 2", {tui::kbRight, 0x2D78}, 0x8007},
        {"X on a set item", {0x2D58}, 0x8005},
        {"keypad plus sets", {tui::kbDown, tui::kbGrayPlus}, 0x8007},
        {"0 clears item 3", {tui::kbDown, tui::kbDown, 0x0B30}, 0x8001},
        {"keypad minus clears item 1", {tui::kbGrayMinus}, 0x8004},
        {"Left comes back", {tui::kbDown, tui::kbLeft, tui::kbSpace}, 0x8004},
        {"other letters change nothing", {0x1474, 0x316E}, 0x8005},
    };
    for (const Case& c : cases) {
        std::uint16_t value = 0x8005;
        open(tui::NewCheckList(threeItems(), value, 2, 3, nullptr));
        for (tui::KeyCode key : c.keys) screen.PushKey(key);
        screen.PushKey(tui::kbTab);
        EXPECT_EQ(runToOk(), tui::cmAccept) << c.name;
        EXPECT_EQ(value, c.expected) << c.name;
        EXPECT_EQ(tui::DataChanged(), value != 0x8005) << c.name;
        tui::SetDataChanged(false);
        tui::DisposeDialog(dialog);
    }
}

TEST_F(ClusterTest, DownOnTheLastItemOfACheckListMovesTheFocus) {
    std::uint16_t value = 0;
    open(tui::NewCheckList(threeItems(), value, 2, 3, nullptr));
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbDown);
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 1); });
    screen.PushKey(tui::kbDown);
    screen.PushAction([&] { EXPECT_EQ(dialog->current, 2); });
    EXPECT_EQ(runToOk(), tui::cmAccept);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(tui::DataChanged());
}

TEST_F(ClusterTest, UpOnTheFirstItemHandsTheKeyBack) {
    std::uint16_t value = 0;
    open(tui::NewCheckList(threeItems(), value, 2, 3, nullptr));
    screen.PushKey(tui::kbUp);  // wraps round to the button
    EXPECT_EQ(runToOk(), tui::cmAccept);
}

TEST_F(ClusterTest, TheHighlightedItemIsLitAndCarriesTheCursor) {
    std::uint16_t value = 0x2;
    open(tui::NewCheckList(threeItems(), value, 2, 3, tui::NewLabel("Kopiuj:", 1, 2)));
    EXPECT_EQ(rows(7, 9),
              "         │  [ ] pierwszy                        │\n"
              "         │  [■] drugi                           │\n"
              "         │  [ ] trzeci                          │\n");
    screen.PushKey(tui::kbDown);
    screen.PushAction([&] {
        EXPECT_EQ(attributeOf(17, 7, 8), 0x07) << "item 1 no longer lit";
        EXPECT_EQ(attributeOf(17, 8, 5), 0x0F) << "item 2 lit";
        EXPECT_EQ(attributeOf(12, 6, 7), 0x0F) << "label of the focused control";
        EXPECT_EQ(screen.CursorColumn(), 14);
        EXPECT_EQ(screen.CursorRow(), 8);
    });
    screen.PushKey(tui::kbTab);
    screen.PushAction([&] {
        EXPECT_EQ(attributeOf(17, 8, 5), 0x07) << "no item lit without the focus";
        EXPECT_EQ(attributeOf(12, 6, 7), 0x07);
    });
    EXPECT_EQ(runToOk(), tui::cmAccept);
}

TEST_F(ClusterTest, AClickOnACheckListItemHighlightsAndFlipsIt) {
    std::uint16_t value = 0;
    open(tui::NewCheckList(threeItems(), value, 2, 3, nullptr));
    clickAt(*dialog, 10, 4);  // the text of item 3
    clickAt(*dialog, 3, 3);   // the bracket of item 2
    screen.PushAction([&] {
        EXPECT_EQ(value, 0x6);
        EXPECT_EQ(mark(1), '\xFE');
        EXPECT_EQ(attributeOf(17, 8, 5), 0x0F) << "item 2 highlighted";
    });
    clickAt(*dialog, 20, 4);  // right of item 3's text: handed back, nothing there
    clickAt(*dialog, 3, 3);
    screen.PushKey(tui::kbEnter);  // the dialog takes it on to the button
    EXPECT_EQ(runToOk(), tui::cmAccept);
    EXPECT_EQ(value, 0x4);
}

TEST_F(ClusterTest, RadioArrowsMoveTheHighlightButOnlySpaceChooses) {
    std::uint16_t value = 0;
    open(tui::NewRadioGroup(threeItems(), value, 2, 3, nullptr));
    EXPECT_EQ(std::string() + mark(0) + mark(1) + mark(2), "\xFE\xFA\xFA");
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbRight);
    screen.PushAction([&] {
        EXPECT_EQ(value, 0);
        EXPECT_EQ(std::string() + mark(0) + mark(1) + mark(2), "\xFE\xFA\xFA");
        EXPECT_EQ(attributeOf(17, 9, 6), 0x0F) << "item 3 highlighted";
        EXPECT_EQ(screen.CursorRow(), 9);
    });
    screen.PushKey(tui::kbSpace);
    screen.PushAction([&] {
        EXPECT_EQ(value, 2);
        EXPECT_EQ(std::string() + mark(0) + mark(1) + mark(2), "\xFA\xFA\xFE");
    });
    screen.PushKey(tui::kbUp);
    screen.PushAction([&] { EXPECT_EQ(value, 2); });
    screen.PushKey(tui::kbGrayPlus);
    screen.PushAction([&] { EXPECT_EQ(value, 1); });
    screen.PushKey(tui::kbDown);
    screen.PushText("x");
    screen.PushKey(tui::kbDown);  // past the last item: handed back to the dialog
    EXPECT_EQ(runToOk(), tui::cmAccept);
    EXPECT_EQ(value, 2);
    EXPECT_TRUE(tui::DataChanged());
}

TEST_F(ClusterTest, TheRadioHighlightStartsOnTheChosenItem) {
    std::uint16_t value = 1;
    open(tui::NewRadioGroup(threeItems(), value, 2, 3, nullptr));
    screen.PushKey(tui::kbUp);
    screen.PushKey(tui::kbUp);  // past the first item: handed back, round to "OK"
    EXPECT_EQ(runToOk(), tui::cmAccept);
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(tui::DataChanged());
}

TEST_F(ClusterTest, ARadioClickChoosesAnotherItemAndOnlySoundsOnTheHighlightedOne) {
    std::uint16_t value = 0;
    open(tui::NewRadioGroup(threeItems(), value, 2, 3, nullptr));
    clickAt(*dialog, 4, 2);  // the highlighted item
    screen.PushAction([&] {
        EXPECT_EQ(sound.played, (Played{{4000, 96}}));
        EXPECT_EQ(value, 0);
    });
    clickAt(*dialog, 8, 3);
    screen.PushAction([&] { EXPECT_EQ(value, 1); });
    clickAt(*dialog, 8, 3);  // now highlighted: only a tone
    screen.PushKey(tui::kbTab);
    EXPECT_EQ(runToOk(), tui::cmAccept);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(sound.played, (Played{{4000, 96}, {4000, 96}}));
}

TEST_F(ClusterTest, CheckBoxFlipsOnSpaceXAndAClickAndHandsArrowsBack) {
    struct Case {
        std::vector<tui::KeyCode> keys;
        bool expected;
    };
    const Case cases[] = {
        {{tui::kbSpace}, true},
        {{0x2D78}, true},
        {{0x2D58, 0x2D78}, false},
        {{tui::kbGrayPlus, 0x0B30}, false},  // the list's keys mean nothing here
    };
    for (const Case& c : cases) {
        bool value = false;
        open(tui::NewCheckBox("pokazuj powoli", value, 2, 3, nullptr));
        for (tui::KeyCode key : c.keys) screen.PushKey(key);
        screen.PushKey(tui::kbDown);
        EXPECT_EQ(runToOk(), tui::cmAccept) << c.keys.size();
        EXPECT_EQ(value, c.expected) << c.keys.size();
        tui::DisposeDialog(dialog);
    }
    bool value = true;
    open(tui::NewCheckBox("pokazuj powoli", value, 2, 3, nullptr));
    EXPECT_EQ(mark(0), '\xFE');
    clickAt(*dialog, 12, 2);
    screen.PushAction([&] { EXPECT_EQ(mark(0), ' '); });
    screen.PushKey(tui::kbUp);
    EXPECT_EQ(runToOk(), tui::cmAccept);
    EXPECT_FALSE(value);
}

TEST_F(ClusterTest, ACheckListTakesAtMostSixteenItems) {
    std::unique_ptr<tui::Item> items;
    for (int i = 20; i >= 1; --i) items = tui::NewItem("pozycja " + std::to_string(i), std::move(items));
    std::uint16_t value = 0;
    tui::CheckList list(std::move(items), value, 1, 1, nullptr);
    EXPECT_EQ(list.ItemCount(), 16);
    EXPECT_EQ(list.area, (tui::Rect{1, 1, 14, 16}));  // "[ ] pozycja 16"
}

}  // namespace
