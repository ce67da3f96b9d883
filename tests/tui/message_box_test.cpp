// Message boxes: layout of the text and the buttons, titles and colours by type, the
// answers by key and by click, type-ahead, the box without buttons and the box that
// closes by itself.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/cp852.h"
#include "tests/tui/dialog_fixture.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"

using namespace platform::literals;

namespace {

using MessageBoxTest = qztest::DialogTest;

// The network-lock question: two centred lines and a plain one.
const std::string kLockQuestion = std::string("\x03Plik KPR.DAT jest\r\x03zablokowany przez inną stację\rCzy czekamy ?"_cp);

// ShowBox puts its interior at screen column 21, row 9.
constexpr int kLeft = 21;
constexpr int kTop = 9;

TEST_F(MessageBoxTest, AQuestionWithTwoButtonsOnTheWholeScreen) {
    screen.Write(1, 2, std::string(80, '.'), 0x07);
    const auto before = allCells();
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(screen.ScreenText(),
                  "\n"
                  "................................................................................\n"
                  "\n"
                  "\n"
                  "\n"
                  "\n"
                  "\n"
                  "                   ┌───────────── Informacja ─────────────┐\n"
                  "                   │          Plik KPR.DAT jest           │\n"
                  "                   │    zablokowany przez inną stację     │\n"
                  "                   │Czy czekamy ?                         │\n"
                  "                   │                                      │\n"
                  "                   │                                      │\n"
                  "                   │                                      │\n"
                  "                   │       »  Tak  «         Nie   ▄      │\n"
                  "                   │                       ▀▀▀▀▀▀▀▀▀      │\n"
                  "                   └──────────────────────────────────────┘\n"
                  "\n"
                  "\n"
                  "\n"
                  "\n"
                  "\n"
                  "\n"
                  "\n"
                  " ?│");
    });
    screen.PushText("t");
    EXPECT_EQ(tui::ShowBox(tui::box::Information | tui::box::Yes | tui::box::No, kLockQuestion), tui::cmYes);
    EXPECT_EQ(allCells(), before);
    EXPECT_EQ(tui::CurrentHintBar(), nullptr);
}

TEST_F(MessageBoxTest, TakAndNieAnsweredByKeysAndClicks) {
    struct Case {
        const char* name;
        std::function<void(platform::VirtualConsole&)> input;
        tui::Command expected;
    };
    auto keys = [](std::vector<tui::KeyCode> codes) {
        return [codes](platform::VirtualConsole& input) {
            for (tui::KeyCode code : codes) input.PushKey(code);
        };
    };
    // Interior row 7: "Tak" at columns 7-15, "Nie" at 23-31.
    auto click = [](std::vector<int> columns) {
        return [columns](platform::VirtualConsole& input) {
            for (int column : columns) {
                input.PushMouse(1, kLeft + column - 1, kTop + 6);
                input.PushIdle();
            }
        };
    };
    const Case cases[] = {
        {"t", keys({0x1474}), tui::cmYes},
        {"n", keys({0x316E}), tui::cmNo},
        {"T", keys({0x1454}), tui::cmYes},
        {"N", keys({0x314E}), tui::cmNo},
        {"Enter", keys({tui::kbEnter}), tui::cmYes},
        {"Space", keys({tui::kbSpace}), tui::cmYes},
        {"Tab then Enter", keys({tui::kbTab, tui::kbEnter}), tui::cmNo},
        {"Right then Space", keys({tui::kbRight, tui::kbSpace}), tui::cmNo},
        {"Tab twice wraps round", keys({tui::kbTab, tui::kbTab, tui::kbEnter}), tui::cmYes},
        {"Esc", keys({tui::kbEsc}), tui::cmCancel},
        {"Ctrl+Q", keys({tui::kbCtrlQ}), tui::cmCancel},
        {"other letters", keys({0x2D78, 0x1E61, tui::kbEnter}), tui::cmYes},
        {"a click on the focused button", click({10}), tui::cmYes},
        {"a click on the other one focuses it", click({25, 25}), tui::cmNo},
        {"a click on the other one, then Enter",
         [&](platform::VirtualConsole& input) {
             click({30})(input);
             input.PushKey(tui::kbEnter);
         },
         tui::cmNo},
        {"a right click", [](platform::VirtualConsole& input) { input.PushMouse(2, 30, 12); }, tui::cmCancel},
        {"a click in the top-left corner", [](platform::VirtualConsole& input) { input.PushMouse(1, 1, 1); },
         tui::cmCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        screen.PushIdle();
        c.input(screen);
        EXPECT_EQ(tui::ShowBox(tui::box::Warning | tui::box::Yes | tui::box::No, "Kontynuować ?"_cp), c.expected)
            << c.name;
    }
}

TEST_F(MessageBoxTest, TabMovesThePressedLook) {
    screen.PushIdle();
    screen.PushKey(tui::kbTab);
    screen.PushAction([&] {
        EXPECT_EQ(rows(15, 16),
                  "                   │         Tak   ▄       »  Nie  «      │\n"
                  "                   │       ▀▀▀▀▀▀▀▀▀                      │\n");
    });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::ShowBox(tui::box::Confirm | tui::box::Yes | tui::box::No, "Usunąć ?"_cp), tui::cmCancel);
}

TEST_F(MessageBoxTest, ErrorBoxIsWhiteOnRedWithOneOkButton) {
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(8, 17),
                  "                   ┌──────────────── Błąd ────────────────┐\n"
                  "                   │Brak katalogu                         │\n"
                  "                   │                                      │\n"
                  "                   │                                      │\n"
                  "                   │                                      │\n"
                  "                   │                                      │\n"
                  "                   │                                      │\n"
                  "                   │               »  OK   «              │\n"
                  "                   │                                      │\n"
                  "                   └──────────────────────────────────────┘\n");
        EXPECT_EQ(attributeOf(20, 8, 40), 0x4F) << "frame and title";
        EXPECT_EQ(attributeOf(20, 17, 40), 0x4F);
        EXPECT_EQ(attributeOf(21, 9, 38), 0x4F) << "text and interior";
        EXPECT_EQ(screen.CellAt(kLeft + 14, kTop + 6).attribute, 0x4F) << "the blank before the pressed button";
        EXPECT_EQ(screen.CellAt(kLeft + 15, kTop + 6).character, 0xAF) << "the button at interior column 15";
        EXPECT_EQ(attributeOf(kLeft + 16, kTop + 6, 7), 0x70);
        EXPECT_EQ(tui::Colour(tui::colDialogText), 0x4F);
    });
    screen.PushKey(tui::kbEnter);
    tui::ErrorBox("Brak katalogu");
    EXPECT_EQ(tui::Colour(tui::colDialogFrame), 0x07) << "the scheme is back";
    EXPECT_EQ(tui::Colour(tui::colDialogText), 0x02);
    EXPECT_EQ(tui::Colour(tui::colDialogTitle), 0x0F);

    const std::uint16_t errorOk = tui::box::Error | tui::box::Ok;
    const std::pair<tui::KeyCode, tui::Command> answers[] = {
        {tui::kbEnter, tui::cmAccept}, {tui::kbSpace, tui::cmAccept}, {0x186F, tui::cmAccept}, {tui::kbEsc, tui::cmCancel}};
    for (const auto& [key, expected] : answers) {
        screen.PushIdle();
        screen.PushKey(key);
        EXPECT_EQ(tui::ShowBox(errorOk, "x"), expected) << std::hex << key;
    }
    screen.PushIdle();
    screen.PushMouse(1, kLeft + 17, kTop + 6);
    EXPECT_EQ(tui::ShowBox(errorOk, "x"), tui::cmAccept) << "a click on OK";
}

TEST_F(MessageBoxTest, TheTextBeforeByteSevenIsTheTitle) {
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(8, 10),
                  "                   ┌─────────────── Zapis ────────────────┐\n"
                  "                   │Plik zapisany.                        │\n"
                  "                   │                                      │\n");
    });
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(tui::ShowBox(tui::box::Information | tui::box::Ok, " Zapis \x07Plik zapisany."), tui::cmAccept);
}

TEST_F(MessageBoxTest, TitlesByType) {
    struct Case {
        std::uint16_t type;
        const char* title;
        int frame;
    };
    const Case cases[] = {{0, " UWAGA ", 0x07}, {1, " Błąd ", 0x4F}, {2, " Informacja ", 0x07}, {3, " Potwierdź ", 0x07}};
    for (const Case& c : cases) {
        screen.PushIdle();
        screen.PushAction([&] {
            EXPECT_TRUE(screen.RowText(8).find(c.title) != std::string::npos) << c.title;
            EXPECT_EQ(screen.CellAt(20, 8).attribute, c.frame) << c.title;
        });
        screen.PushKey(tui::kbEsc);
        EXPECT_EQ(tui::ShowBox(c.type | tui::box::Ok, "x"), tui::cmCancel);
    }
}

TEST_F(MessageBoxTest, ABoxWithoutButtonsClosesOnlyOnEsc) {
    screen.PushIdle();
    screen.PushKey(tui::kbEnter);
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbTab);
    screen.PushText("tnop");
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("Czekaj")); });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::ShowBox(tui::box::Warning, "Czekaj"), tui::cmCancel);
}

TEST_F(MessageBoxTest, ASelfClosingBoxGoesAfter2500MsWithoutReadingKeys) {
    const auto before = allCells();
    screen.PushText("t");  // typed ahead: discarded, and no key is read after it
    EXPECT_EQ(tui::ShowBox(tui::box::SelfClosing, "Zapisano"), tui::cmCancel);
    EXPECT_EQ(clock.TotalSleptMs(), 2500u);
    EXPECT_TRUE(screen.InputEmpty());
    EXPECT_EQ(allCells(), before);
    EXPECT_EQ(tui::Colour(tui::colDialogText), 0x02);
}

TEST_F(MessageBoxTest, ThreeButtonsAndTheirHotKeys) {
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(15, 15), "                   │   »  Tak  «     Nie   ▄   Porzuć  ▄  │\n");
    });
    screen.PushText("P");
    EXPECT_EQ(tui::ShowBox(tui::box::Yes | tui::box::No | tui::box::Abandon, "x"), tui::cmCancel);
}

TEST_F(MessageBoxTest, LongLinesAreCutAndLinesPastTheSixthDropped) {
    const std::string text = std::string(50, 'a') + "\r\x03" + std::string(45, 'b') + "\r\r3\r4\r5\r6\r7";
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(9, 15),
                  "                   │aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa│\n"
                  "                   │bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb│\n"
                  "                   │                                      │\n"
                  "                   │3                                     │\n"
                  "                   │4                                     │\n"
                  "                   │5                                     │\n"
                  "                   │       »  Tak  «         Nie   ▄      │\n");
    });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(tui::ShowBox(tui::box::Yes | tui::box::No, text), tui::cmCancel);
}

TEST_F(MessageBoxTest, MessageBoxUsesTheGivenBounds) {
    screen.PushIdle();
    screen.PushAction([&] {
        EXPECT_EQ(rows(10, 10), "                   ┌───────────── Potwierdź ──────────────┐\n");
        EXPECT_EQ(screen.CellAt(20, 19).character, 0xC0) << "bottom-left corner at row 19";
    });
    screen.PushText("t");
    EXPECT_EQ(tui::MessageBox(0x303, "\x03Nie odnaleziono pliku:", 10, 40, 10, 20), tui::cmYes);
}

TEST_F(MessageBoxTest, ABoxThatCannotOpenCancelsAndChangesNothing) {
    const auto before = allCells();
    screen.PushText("t");
    EXPECT_EQ(tui::MessageBox(tui::box::Error | tui::box::Ok, "x", 10, 40, 20, 60), tui::cmCancel);
    EXPECT_EQ(allCells(), before);
    EXPECT_EQ(tui::Colour(tui::colDialogText), 0x02);
    EXPECT_TRUE(screen.InputEmpty()) << "type-ahead discarded all the same";
}

// The reason line of every home error fits a box's line; a number without words is
// given as it is.
TEST(FailureReasonTest, EveryReasonFitsABoxLine) {
    EXPECT_EQ(tui::FailureReason(5), "Przyczyna: odmowa dostępu"_cp);
    EXPECT_EQ(tui::FailureReason(39), "Przyczyna: brak miejsca na dysku"_cp);
    EXPECT_EQ(tui::FailureReason(1234), "Przyczyna: błąd systemu nr 1234"_cp);
    for (int error = 1; error < 300; ++error) EXPECT_LE(tui::FailureReason(error).size(), 38u) << error;
}

}  // namespace
