// The hint bar: its layout on the last row and the commands it makes of keys and clicks.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp852.h"
#include "tests/support/screen_test.h"
#include "tui/event.h"
#include "tui/hint_bar.h"

using namespace platform::literals;

namespace {

using HintBarTest = qztest::ScreenTest;

tui::Event nextEvent() {
    tui::Event event;
    tui::GetEvent(event);
    return event;
}

TEST_F(HintBarTest, ItemsFollowEachOtherFromColumnTwo) {
    auto items = tui::NewHint(nullptr, 0x1003, tui::kbF5, "F5 - zacznij"_cp);
    items = tui::NewHint(std::move(items), 0, 0, " Wybór "_cp);
    items = tui::NewHint(std::move(items), tui::cmCancel, tui::kbEsc, "Esc - wyjście"_cp);
    tui::HintBar* bar = tui::PushHintBar(std::move(items));
    EXPECT_EQ(screen.RowText(25), " Esc - wyjście│ Wybór │F5 - zacznij│" + std::string(44, ' '));
    EXPECT_EQ(attributeOf(1, 25, 80), 0x70);
    tui::PopHintBar(bar);
    EXPECT_EQ(bar, nullptr);
}

TEST_F(HintBarTest, ALongTextShowsFortyCharactersWithoutTheSeparator) {
    const std::string text = "123456789012345678901234567890123456789012345";  // 45
    tui::HintBar* bar = tui::PushHintBar(tui::NewHint(tui::NewHint(nullptr, 7, 0, "next"), 0, 0, text));
    EXPECT_EQ(screen.BytesAt(2, 25, 40), text.substr(0, 40));
    EXPECT_EQ(screen.BytesAt(42, 25, 5), "next\xB3");
    const struct {
        std::string text;
        std::string shown;
    } edges[] = {
        {std::string(39, 'a'), std::string(39, 'a') + "\xB3"},
        {std::string(40, 'b'), std::string(40, 'b')},
        {"", "\xB3"},
    };
    for (const auto& edge : edges) {
        tui::HintBar* one = tui::PushHintBar(tui::NewHint(nullptr, 0, 0, edge.text));
        EXPECT_EQ(screen.BytesAt(2, 25, static_cast<int>(edge.shown.size()) + 1), edge.shown + " ")
            << edge.text.size() << " characters";
        tui::PopHintBar(one);
    }
    tui::PopHintBar(bar);
}

TEST_F(HintBarTest, AKeyOfAnItemArrivesAsItsCommand) {
    tui::HintBar* bar = tui::PushHintBar(tui::NewHint(nullptr, 0x1111, tui::kbCtrlT, "^T - tak"_cp));
    screen.PushKey(tui::kbCtrlT, 0x04);
    screen.PushKey(0x1474);  // "t" is not the item's key
    const tui::Event command = nextEvent();
    EXPECT_EQ(command.kind, tui::EventKind::Command);
    EXPECT_EQ(command.command, 0x1111);
    EXPECT_EQ(command.commandSource, tui::source::HintBar);
    EXPECT_TRUE(tui::LastEvent().IsCommand(0x1111));
    EXPECT_TRUE(nextEvent().IsKey(0x1474));
    tui::PopHintBar(bar);
}

TEST_F(HintBarTest, ALeftClickOnAnItemArrivesAsItsCommand) {
    auto items = tui::NewHint(nullptr, 0x2222, 0, "drugi"_cp);      // columns 8-13
    items = tui::NewHint(std::move(items), 0x1111, 0, "jeden"_cp);  // columns 2-7
    tui::HintBar* bar = tui::PushHintBar(std::move(items));
    struct Case {
        std::uint16_t buttons;
        int column, row;
        tui::EventKind kind;
        tui::Command command;
    };
    const Case cases[] = {
        {1, 2, 25, tui::EventKind::Command, 0x1111}, {1, 7, 25, tui::EventKind::Command, 0x1111},
        {1, 8, 25, tui::EventKind::Command, 0x2222}, {1, 13, 25, tui::EventKind::Command, 0x2222},
        {1, 14, 25, tui::EventKind::Mouse, 0},       {1, 5, 24, tui::EventKind::Mouse, 0},
        {2, 5, 25, tui::EventKind::Mouse, 0},
    };
    for (const Case& c : cases) {
        screen.PushMouse(c.buttons, c.column, c.row);
        const tui::Event event = nextEvent();
        EXPECT_EQ(event.kind, c.kind) << "click " << c.buttons << " at " << c.column << "," << c.row;
        EXPECT_EQ(event.command, c.command) << "click " << c.buttons << " at " << c.column << "," << c.row;
    }
    tui::PopHintBar(bar);
}

TEST_F(HintBarTest, APoppedBarBringsTheOneBelowBackWorking) {
    tui::HintBar* first = tui::PushHintBar(tui::NewHint(nullptr, 0x1111, tui::kbF5, "F5 - dalej"_cp));
    const std::string firstRow = screen.RowText(25);
    tui::HintBar* second = tui::PushHintBar(tui::NewHint(nullptr, 0x2222, tui::kbF1, "F1 - pomoc"_cp));
    EXPECT_NE(screen.RowText(25), firstRow);
    screen.PushKey(tui::kbF5);
    EXPECT_TRUE(nextEvent().IsKey(tui::kbF5));  // the first bar's key is a key while it is hidden

    tui::PopHintBar(second);
    EXPECT_EQ(screen.RowText(25), firstRow);
    EXPECT_EQ(tui::CurrentHintBar(), first);
    screen.PushKey(tui::kbF5);
    screen.PushKey(tui::kbF1);
    screen.PushMouse(1, 3, 25);
    EXPECT_TRUE(nextEvent().IsCommand(0x1111));
    EXPECT_TRUE(nextEvent().IsKey(tui::kbF1));
    EXPECT_TRUE(nextEvent().IsCommand(0x1111));

    tui::PopHintBar(first);
    EXPECT_EQ(tui::CurrentHintBar(), nullptr);
    EXPECT_EQ(screen.RowText(25), std::string(80, ' '));
    EXPECT_EQ(attributeOf(1, 25, 80), 0x07);
}

TEST_F(HintBarTest, AnItemWithoutCommandGivesCommandZero) {
    tui::HintBar* bar = tui::PushHintBar(tui::NewHint(nullptr, 0, tui::kbEnter, "Enter"));
    screen.PushKey(tui::kbEnter);
    const tui::Event event = nextEvent();
    EXPECT_TRUE(event.IsCommand(0));
    tui::PopHintBar(bar);
}

}  // namespace
