// The pick list: drawing, scrolling and the bar, scroll marks, search with search
// keys, the empty list, mouse rules and the commands it hands to its dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tui/dialog_fixture.h"
#include "tui/pick_list.h"

namespace {

using Played = std::vector<platform::RecordingSound::Played>;

class Items : public tui::PickListOwner {
public:
    std::int32_t ItemCount() override { return static_cast<std::int32_t>(lines.size()); }
    std::string ItemText(std::int32_t item) override { return lines.at(static_cast<std::size_t>(item - 1)); }
    std::vector<std::string> lines;
};

// The firm picker's geometry: the dialog's interior from screen column 11, row 7; the
// list's frame on interior row 2 (screen row 8) to row 13 (screen 19), columns 1-56
// (screen 11-66); item rows on screen rows 9-18 from screen column 13; the scroll
// marks in screen column 63.
class PickListTest : public qztest::DialogTest {
protected:
    void open(std::int32_t start = 1) {
        current = start;
        dialog = tui::OpenDialog(" BAZA FIRM ", 15, 58, 6, 10);
        ASSERT_NE(dialog, nullptr);
        auto pickList = tui::NewPickList(items, current, 10, 52, 2, 1, tui::NewLabel("Nazwa", 1, 3));
        list = pickList.get();
        tui::Insert(*dialog, std::move(pickList));
        dialog->handler = [this](tui::Dialog& d, tui::Event& event) {
            if (event.kind == tui::EventKind::Command) commands.push_back(event.command);
            tui::HandleEvent(d, event);
        };
    }
    void numbered(int count) {
        for (int i = 1; i <= count; ++i) items.lines.push_back("Firma " + std::to_string(i));
    }
    // Runs the pushed keys, then Esc (after a pause: a failed search discards what
    // was typed ahead).
    void run() {
        screen.PushIdle();
        screen.PushKey(tui::kbEsc);
        EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
    }
    // The screen row of the bar: the one item row in control colour 3.
    int barScreenRow() const {
        for (int row = 9; row <= 18; ++row)
            if (screen.CellAt(13, row).attribute == 0x70) return row;
        return 0;
    }
    char topMark() const { return static_cast<char>(screen.CellAt(63, 8).character); }
    char bottomMark() const { return static_cast<char>(screen.CellAt(63, 19).character); }

    Items items;
    std::int32_t current = 1;
    std::unique_ptr<tui::Dialog> dialog;
    tui::PickList* list = nullptr;
    std::vector<tui::Command> commands;
};

TEST_F(PickListTest, ThreeItemsLeaveTheOtherRowsBlankAndShowNoMarks) {
    items.lines = {"Alfa", "Beta", "Gamma"};
    open();
    screen.PushAction([&] {
        EXPECT_EQ(rows(7, 19),
                  "         │  Nazwa                                                 │\n"
                  "         │┌──────────────────────────────────────────────────────┐│\n"
                  "         ││ Alfa                                                 ││\n"
                  "         ││ Beta                                                 ││\n"
                  "         ││ Gamma                                                ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         │└>─────────────────────────────────────────────────────┘│\n");
        EXPECT_EQ(attributeOf(13, 9, 52), 0x70) << "the bar";
        EXPECT_EQ(attributeOf(13, 10, 52), 0x1F) << "other items";
        EXPECT_EQ(attributeOf(12, 12, 54), 0x02) << "rows below the items";
        EXPECT_EQ(attributeOf(11, 8, 56), 0x0F) << "the frame of the focused list";
    });
    screen.PushKey(tui::kbPgDn);
    screen.PushAction([&] {
        EXPECT_EQ(current, 3);
        EXPECT_EQ(barScreenRow(), 11);
        EXPECT_EQ(list->Top(), 0);
    });
    run();
    EXPECT_EQ(attributeOf(11, 8, 56), 0x07) << "without the focus: control colour 0";
    EXPECT_EQ(rows(19, 19), "         │└──────────────────────────────────────────────────────┘│\n");
}

TEST_F(PickListTest, EndShowsTheLastTenWithTheBarOnTheLastRow) {
    numbered(25);
    open();
    screen.PushAction([&] {
        EXPECT_EQ(topMark(), '\xC4');
        EXPECT_EQ(bottomMark(), 'v');
    });
    screen.PushKey(tui::kbEnd);
    screen.PushAction([&] {
        EXPECT_EQ(current, 25);
        EXPECT_EQ(list->Top(), 15);
        EXPECT_EQ(barScreenRow(), 18);
        EXPECT_EQ(screen.BytesAt(13, 9, 8), "Firma 16");
        EXPECT_EQ(topMark(), '^');
        EXPECT_EQ(bottomMark(), '\xC4');
    });
    screen.PushKey(tui::kbHome);
    screen.PushAction([&] {
        EXPECT_EQ(current, 1);
        EXPECT_EQ(list->Top(), 0);
        EXPECT_EQ(barScreenRow(), 9);
    });
    run();
    EXPECT_EQ(bottomMark(), '\xC4') << "no marks without the focus";
}

TEST_F(PickListTest, PagesAndLinesMoveTheBarAndScroll) {
    numbered(25);
    open();
    struct Step {
        tui::KeyCode key;
        std::int32_t current;
        std::int32_t top;
    };
    const Step steps[] = {
        {tui::kbPgDn, 11, 6},   // brought into view: the middle row
        {tui::kbPgDn, 21, 15},  // clamped at the end
        {tui::kbPgDn, 25, 15},
        {tui::kbUp, 24, 15},
        {tui::kbPgUp, 14, 9},
        {tui::kbHome, 1, 0},
        {tui::kbUp, 1, 0},      // at item 1 nothing happens
        {tui::kbPgUp, 1, 0},
    };
    for (const Step& step : steps) {
        screen.PushKey(step.key);
        screen.PushAction([&, step] {
            EXPECT_EQ(current, step.current) << std::hex << step.key;
            EXPECT_EQ(list->Top(), step.top) << std::hex << step.key;
        });
    }
    for (int i = 0; i < 9; ++i) screen.PushKey(tui::kbDown);
    screen.PushAction([&] {
        EXPECT_EQ(current, 10);
        EXPECT_EQ(list->Top(), 0);
        EXPECT_EQ(barScreenRow(), 18);
    });
    screen.PushKey(tui::kbDown);  // on the last row: the items scroll by one
    screen.PushAction([&] {
        EXPECT_EQ(current, 11);
        EXPECT_EQ(list->Top(), 1);
        EXPECT_EQ(barScreenRow(), 18);
        EXPECT_EQ(screen.BytesAt(13, 9, 8), "Firma 2 ");
        EXPECT_EQ(topMark(), '^');
    });
    screen.PushKey(tui::kbEnd);
    screen.PushKey(tui::kbDown);  // at the last item nothing happens
    screen.PushAction([&] { EXPECT_EQ(current, 25); });
    run();
}

TEST_F(PickListTest, TypingFindsByTheBeginningInEitherCase) {
    items.lines = {"Adamski", "Kalina", "Bartek", "Kowalski", "Kosa", "Kot"};
    for (const char* typed : {"KO", "ko", "kO"}) {
        open();
        screen.PushText(std::string(1, typed[0]));
        screen.PushAction([&] {
            EXPECT_EQ(current, 2) << typed;
            EXPECT_EQ(list->SearchText(), "K");
            EXPECT_EQ(screen.BytesAt(12, 19, 3), ">K\xC4") << "the typed text on the bottom line";
        });
        screen.PushText(std::string(1, typed[1]));
        screen.PushAction([&] {
            EXPECT_EQ(current, 4) << typed;
            EXPECT_EQ(list->SearchText(), "KO");
        });
        screen.PushText("s");
        screen.PushAction([&] { EXPECT_EQ(current, 5) << typed; });
        screen.PushKey(tui::kbDown);  // clears the search text
        screen.PushAction([&] {
            EXPECT_EQ(list->SearchText(), "");
            EXPECT_EQ(screen.BytesAt(12, 19, 2), ">\xC4");
        });
        run();
        EXPECT_TRUE(sound.played.empty());
        tui::DisposeDialog(dialog);
    }
}

TEST_F(PickListTest, AFailedSearchTonesDiscardsTypeAheadAndStartsAgainFromTheTop) {
    items.lines = {"Adamski", "Kalina", "Bartek", "Kowalski", "Ada"};
    open();
    screen.PushText("kowx");  // "KOWX": no item has it
    screen.PushText("yz");    // typed ahead behind the failure: discarded
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(sound.played, (Played{{1200, 96}}));
        EXPECT_EQ(list->SearchText(), "");
        EXPECT_EQ(current, 4) << "the bar stays where the search got to";
    });
    screen.PushText("a");  // a new search, from item 1
    screen.PushAction([&] { EXPECT_EQ(current, 1); });
    screen.PushText("dam");
    screen.PushAction([&] { EXPECT_EQ(current, 1); });
    run();
}

TEST_F(PickListTest, TheSearchNeverWrapsAboveItsStart) {
    items.lines = {"Kalina", "Bartek", "Kos"};
    open(3);
    screen.PushText("k");  // one character: from item 1
    screen.PushAction([&] { EXPECT_EQ(current, 1); });
    screen.PushText("o");  // "KO" from item 1: item 3
    screen.PushAction([&] { EXPECT_EQ(current, 3); });
    screen.PushText("a");  // "KOA" from item 3 onward only
    screen.PushAction([&] { EXPECT_EQ(sound.played.size(), 1u); });
    run();
}

TEST_F(PickListTest, TabSwitchesTheSearchKeyAndMovesThePrompt) {
    // The name in columns 1-33, a second word from column 34.
    auto line = [](std::string name, const char* directory) {
        name.resize(33, ' ');
        return name + directory;
    };
    items.lines = {line("Zielona", "ZIEL"), line("Kowalska", "ABC"), line("Adamczyk", "KOWAL")};
    open();
    tui::AddSearchKey(*list, 34);
    screen.PushKey(tui::kbTab);
    screen.PushAction([&] {
        EXPECT_EQ(screen.CellAt(12, 19).character, 0xC4) << "no prompt under key 1";
        EXPECT_EQ(screen.CellAt(45, 19).character, '>') << "the prompt at left + 34";
    });
    screen.PushText("ko");
    screen.PushAction([&] {
        EXPECT_EQ(current, 3) << "matched at column 34";
        EXPECT_EQ(screen.BytesAt(45, 19, 3), ">KO");
    });
    screen.PushKey(tui::kbShiftTab);  // after the last key, the first again
    screen.PushAction([&] { EXPECT_EQ(screen.CellAt(12, 19).character, '>'); });
    screen.PushText("ko");
    screen.PushAction([&] { EXPECT_EQ(current, 2); });
    run();
}

TEST_F(PickListTest, KeysHandTheListCommandsToTheDialog) {
    numbered(3);
    open();
    screen.PushKey(tui::kbEnter);
    screen.PushKey(tui::kbCtrlEnter);
    screen.PushKey(tui::kbDel);
    screen.PushKey(tui::kbInsert);
    screen.PushKey(tui::kbF1);
    screen.PushKey(tui::kbGrayPlus);
    screen.PushKey(tui::kbCtrlD);
    run();
    EXPECT_EQ(commands, (std::vector<tui::Command>{tui::cmListSelect, tui::cmListChoose, tui::cmListDelete,
                                                   tui::cmListInsert}));
    EXPECT_EQ(current, 1);
}

TEST_F(PickListTest, TheOwnerSeesThePositionAndMayRedraw) {
    numbered(3);
    open();
    constexpr tui::Command cmToggle = 0xF0;
    dialog->hints = tui::PushHintBar(tui::NewHint(nullptr, cmToggle, tui::kbSpace, "SPACE - Zaznacz"));
    dialog->handler = [&](tui::Dialog& d, tui::Event& event) {
        if (event.IsCommand(cmToggle)) {
            items.lines[static_cast<std::size_t>(current - 1)] += " *";
            list->Draw();
            tui::ClearEvent(event);
        }
        tui::HandleEvent(d, event);
    };
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);
    screen.PushAction([&] { EXPECT_EQ(screen.BytesAt(13, 10, 10), "Firma 2 * "); });
    run();
    EXPECT_EQ(current, 2);
}

TEST_F(PickListTest, ClicksOnTheFrameTheItemsAndTheBar) {
    numbered(25);
    open(15);  // top 10, bar on row 5 (screen row 13)
    auto click = [&](int column, int row) {
        screen.PushMouse(1, column, row);
        screen.PushIdle();
    };
    click(30, 8);  // the top frame line: PgUp
    screen.PushAction([&] {
        EXPECT_EQ(current, 5);
        EXPECT_EQ(list->Top(), 0);
    });
    click(30, 11);  // an item row: the bar moves there
    screen.PushAction([&] { EXPECT_EQ(current, 3); });
    click(30, 19);  // the bottom frame line: PgDn
    screen.PushAction([&] { EXPECT_EQ(current, 13); });
    click(20, 13);  // the bar itself
    screen.PushAction([&] { EXPECT_EQ(commands, (std::vector<tui::Command>{tui::cmListSelect})); });
    click(70, 10);  // outside: handed back, nothing there
    screen.PushMouse(2, 30, 12);  // another button: handed back, the dialog cancels
    EXPECT_EQ(tui::Execute(*dialog), tui::cmCancel);
}

TEST_F(PickListTest, TheEmptyList) {
    open();
    screen.PushAction([&] {
        EXPECT_EQ(rows(9, 10),
                  "         ││                     >> PUSTO <<                      ││\n"
                  "         ││                                                      ││\n");
        EXPECT_EQ(attributeOf(33, 9, 11), 0x4F);
        EXPECT_EQ(current, 0);
    });
    screen.PushKey(tui::kbEnter);
    screen.PushKey(tui::kbDel);
    screen.PushAction([&] {
        EXPECT_EQ(sound.played, (Played{{500, 288}, {500, 288}}));
        EXPECT_TRUE(commands.empty());
    });
    screen.PushKey(tui::kbInsert);
    screen.PushMouse(1, 40, 9);
    screen.PushIdle();
    screen.PushText("k");  // leaves: no command
    run();
    EXPECT_EQ(commands, (std::vector<tui::Command>{tui::cmListInsert, tui::cmListInsert}));
}

TEST_F(PickListTest, ACurrentItemOutsideTheListBecomesTheFirst) {
    numbered(5);
    open(9);
    EXPECT_EQ(current, 1);
    EXPECT_EQ(attributeOf(13, 9, 52), 0x70);
}

}  // namespace
