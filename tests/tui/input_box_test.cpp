// The input box: its geometry by input width, the field bound to the caller's value,
// Enter and Esc through its hint bar, and what it gives back to the caller.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp852.h"
#include "tests/tui/dialog_fixture.h"
#include "tui/message_box.h"

using namespace platform::literals;

namespace {

using InputBoxTest = qztest::DialogTest;

const std::string kPercentPrompt =
    std::string("Firma rozliczała  VAT w proporcji 25%\ra zakładana na 2024 wynosi 0% ?\rPodaj właściwą:"_cp);

TEST_F(InputBoxTest, ANarrowFieldStandsInA41ColumnWindowAtColumn20) {
    const auto before = allCells();
    std::string value = "0";
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(8, 17),
                  "                   ┌───────────────────────────────────────┐\n"
                  "                   │                                       │\n"
                  "                   │ Firma rozliczała  VAT w proporcji 25% │\n"
                  "                   │ a zakładana na 2024 wynosi 0% ?       │\n"
                  "                   │ Podaj właściwą:                       │\n"
                  "                   │                   0                   │\n"
                  "                   │                                       │\n"
                  "                   │                  OK   ▄               │\n"
                  "                   │                ▀▀▀▀▀▀▀▀               │\n"
                  "                   └───────────────────────────────────────┘\n");
        EXPECT_EQ(screen.RowText(25).find(" Enter - potwierdź│Esc - zrezygnuj│ "), 0u);
        EXPECT_EQ(attributeOf(40, 13, 3), 0x70) << "the focused field, 3 wide at interior column 20";
        EXPECT_EQ(screen.CellAt(39, 13).attribute, 0x02);
        EXPECT_EQ(screen.CellAt(43, 13).attribute, 0x02);
        EXPECT_EQ(screen.CursorColumn(), 41);
    });
    screen.PushText("12");
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::InputBox(0, value, kPercentPrompt, 3), tui::cmCancel);
    EXPECT_EQ(value, "0");
    EXPECT_EQ(allCells(), before);

    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(screen.CellAt(20, 8).character, ' ') << "the widest by default: a 39-column window from column 21";
        EXPECT_EQ(screen.CellAt(21, 8).character, 0xDA);
        EXPECT_EQ(screen.CellAt(59, 8).character, 0xBF);
        EXPECT_EQ(attributeOf(22, 13, 37), 0x70) << "the 37-column field fills the interior";
    });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::InputBox(0, value, "x"), tui::cmCancel);
}

TEST_F(InputBoxTest, EnterAcceptsTheEditedValue) {
    std::string value = "0";
    screen.PushIdle();
    screen.PushKey(tui::kbCtrlY);
    screen.PushText("15 ");
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::InputBox(0, value, kPercentPrompt, 3), tui::cmAccept);
    EXPECT_EQ(value, "15");
}

TEST_F(InputBoxTest, TheOkButtonAcceptsToo) {
    std::string value = "7";
    screen.PushIdle();
    screen.PushText("5");
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbSpace);
    EXPECT_EQ(tui::InputBox(0, value, "Ile ?", 3), tui::cmAccept);
    EXPECT_EQ(value, "75");
}

TEST_F(InputBoxTest, EditingInTheBoxLeavesTheCallersDataChangedFlagAlone) {
    for (bool before : {false, true}) {
        tui::SetDataChanged(before);
        std::string value = "1";
        screen.PushIdle();
        screen.PushText("2");
        screen.PushKey(tui::kbEnter);
        EXPECT_EQ(tui::InputBox(0, value, "x"), tui::cmAccept);
        EXPECT_EQ(value, "12");
        EXPECT_EQ(tui::DataChanged(), before);
    }
}

TEST_F(InputBoxTest, TheFieldWidthIsOnly1To36OrTheWidest) {
    struct Case {
        int width;
        int expectedLeftEdge;  // the window's left edge column
    };
    const Case cases[] = {{0, 21}, {37, 21}, {-3, 21}, {1, 20}, {36, 20}};
    for (const Case& c : cases) {
        std::string value;
        screen.PushIdle();
        screen.PushAction([&] { EXPECT_EQ(screen.CellAt(c.expectedLeftEdge, 8).character, 0xDA) << c.width; });
        screen.PushKey(tui::kbEsc);
        tui::InputBox(0, value, "", c.width);
    }
}

TEST_F(InputBoxTest, CancellingGivesBackTheWholeValue) {
    const std::string longValue(50, 'k');
    std::string value = longValue;
    screen.PushIdle();
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::InputBox(0, value, "x"), tui::cmCancel);
    EXPECT_EQ(value, longValue) << "not cut to the field";
    screen.PushIdle();
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::InputBox(0, value, "x"), tui::cmAccept);
    EXPECT_EQ(value, std::string(37, 'k'));
}

TEST_F(InputBoxTest, PromptLinesCentredAndTheModeReachesTheField) {
    std::string value = "haslo";
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(10, 13),
                  "                   │                 Hasło                 │\n"
                  "                   │ dla firmy                             │\n"
                  "                   │                                       │\n"
                  "                   │                *****                  │\n");
    });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::InputBox(tui::inputMode::Mask, value, "\x03Hasło\rdla firmy"_cp, 8), tui::cmCancel);
}

}  // namespace
