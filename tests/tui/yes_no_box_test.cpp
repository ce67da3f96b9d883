// The yes/no window: its geometry, the choice lines, and the answers by key, by hint
// bar command and by click.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/tui/dialog_fixture.h"
#include "tui/message_box.h"

namespace {

using YesNoTest = qztest::DialogTest;

constexpr const char* kQuestion = "Rezygnujesz z konwersji danych na nowy rok ?";

TEST_F(YesNoTest, TheWindowTheChoiceLinesAndTheirColours) {
    const auto before = allCells();
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(10, 15),
                  "         ┌──────────────────────────────────────────────┐\n"
                  "         │ Rezygnujesz z konwersji danych na nowy rok ? │\n"
                  "         │──────────────────────────────────────────────│\n"
                  "         │ T a k                                        │\n"
                  "         │ N i e                                        │\n"
                  "         └──────────────────────────────────────────────┘\n");
        EXPECT_EQ(attributeOf(10, 10, 48), 0x02) << "frame: colour 5";
        EXPECT_EQ(attributeOf(12, 11, 44), 0x0F) << "question: colour 7";
        EXPECT_EQ(attributeOf(11, 12, 46), 0x02) << "rule";
        EXPECT_EQ(screen.CellAt(12, 13).attribute, 0x0F) << "the hot key T: colour 9";
        EXPECT_EQ(attributeOf(13, 13, 44), 0x02);
        EXPECT_EQ(screen.CellAt(11, 13).attribute, 0x02);
        EXPECT_EQ(attributeOf(11, 14, 46), 0x70) << "the default answer no: selected";
        EXPECT_EQ(screen.RowText(25).find(" ^T - tak│^N - nie│ "), 0u);
    });
    screen.PushKey(tui::kbUp);
    screen.PushAction([&] {
        EXPECT_EQ(attributeOf(11, 13, 46), 0x70);
        EXPECT_EQ(screen.CellAt(12, 14).attribute, 0x0F);
        EXPECT_EQ(attributeOf(13, 14, 44), 0x02);
    });
    screen.PushKey(tui::kbEsc);  // ignored
    screen.PushKey(tui::kbEnter);
    EXPECT_TRUE(tui::AskYesNo(false, kQuestion, 10, 10));
    EXPECT_EQ(allCells(), before);
    EXPECT_EQ(tui::CurrentHintBar(), nullptr);
}

TEST_F(YesNoTest, Answers) {
    struct Case {
        const char* name;
        bool defaultAnswer;
        std::function<void(platform::VirtualConsole&)> input;
        bool expected;
    };
    auto keys = [](std::vector<tui::KeyCode> codes) {
        return [codes](platform::VirtualConsole& input) {
            for (tui::KeyCode code : codes) input.PushKey(code);
        };
    };
    auto click = [](std::uint16_t buttons, int column, int row) {
        return [=](platform::VirtualConsole& input) { input.PushMouse(buttons, column, row); };
    };
    // The window spans columns 10-57; "Tak" is on row 13.
    const Case cases[] = {
        {"n at once", true, keys({0x316E}), false},
        {"N", true, keys({0x314E}), false},
        {"t", false, keys({0x1474}), true},
        {"T", false, keys({0x1454}), true},
        {"Enter keeps the default no", false, keys({tui::kbEnter}), false},
        {"Enter keeps the default yes", true, keys({tui::kbEnter}), true},
        {"Up flips", false, keys({tui::kbUp, tui::kbEnter}), true},
        {"Down flips", true, keys({tui::kbDown, tui::kbEnter}), false},
        {"Up and Down flip back", false, keys({tui::kbUp, tui::kbDown, tui::kbEnter}), false},
        {"other keys are ignored", false, keys({tui::kbTab, tui::kbSpace, 0x2D78, tui::kbUp, tui::kbEnter}), true},
        {"Ctrl+T through the hint bar", false, keys({tui::kbCtrlT}), true},
        {"Ctrl+N through the hint bar", true, keys({tui::kbCtrlN}), false},
        {"a click on the Tak row", false, click(1, 30, 13), true},
        {"a click on its first inner column", false, click(1, 11, 13), true},
        {"a click on the frame", false, click(1, 10, 13), false},
        {"a click on the Nie row", true, click(1, 30, 14), false},
        {"a right click on the Tak row", true, click(2, 30, 13), false},
        {"a click on the hint item ^T", false, click(1, 3, 25), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.PushIdle();
        c.input(screen);
        EXPECT_EQ(tui::AskYesNo(c.defaultAnswer, kQuestion, 10, 10), c.expected);
    }
}

TEST_F(YesNoTest, AShortQuestionGetsTheMinimumWidth) {
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(5, 10),
                  "    ┌─────────┐\n"
                  "    │ Dalej ? │\n"
                  "    │─────────│\n"
                  "    │ T a k   │\n"
                  "    │ N i e   │\n"
                  "    └─────────┘\n");
    });
    screen.PushText("t");
    EXPECT_TRUE(tui::AskYesNo(false, "Dalej ?", 5, 5));
}

TEST_F(YesNoTest, ABoxTooLowOrTooFarRightIsMovedOntoTheScreen) {
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(screen.CellAt(80, 23).character, 0xD9) << "bottom-right corner at column 80, row 23";
        EXPECT_EQ(screen.CellAt(62, 17).character, 0xDA) << "top-left corner: 15 + 3 columns, 2 + 4 rows before it";
        EXPECT_EQ(screen.RowText(18).substr(61), std::string("│ Pierwszy wiersz │"));
    });
    screen.PushText("n");
    EXPECT_FALSE(tui::AskYesNo(true, "Pierwszy wiersz\rdrugi", 22, 75));
}

}  // namespace
