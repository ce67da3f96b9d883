// The main procedure: help screen, settling the run, banner and end of run.
#include "app/main_flow.h"

#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/process.h"
#include "tests/support/screen_test.h"
#include "tui/keys.h"

namespace {

using namespace platform::literals;

class MainFlowTest : public qztest::ScreenTest {
protected:
    ~MainFlowTest() override { platform::SetArguments({}); }

    std::string Executable() const { return temp.root() + "qz23-24"; }
    // Row 1 without the clock in its top-right corner.
    std::string FirstRowText() const {
        std::string text = screen.BytesAt(1, 1, 72);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return platform::cp852::ToUtf8(text);
    }
};

TEST(AsksForHelp, QuestionMarkAnywhere) {
    const struct {
        const char* argument;
        bool help;
    } cases[] = {
        {"?", true},   {"/?", true},   {"-?", true},          {"/h?x", true},
        {"", false},   {"/h", false},  {"/srv/KPR_2024", false}, {"-help", false},
    };
    for (const auto& c : cases) EXPECT_EQ(app::AsksForHelp(c.argument), c.help) << c.argument;
}

TEST_F(MainFlowTest, HelpScreenWaitsForAKeyAndEnds) {
    platform::SetArguments({"/?"});
    screen.PushIdle();  // the key comes once the wait is shown
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(exitCodeOf([&] { app::MainFlow(Executable()); }), 0);

    EXPECT_EQ(screen.Title(), "qzMarel - Konwerter 2023 - 2024");
    EXPECT_EQ(FirstRowText(), "Program do kopiowania wybranych danych do nowego KPR_QZ.");
    EXPECT_EQ(rows(2, 17),
              "z wersji DA023 (2023) na DE024 (2024)\n"
              "──────────────────────────────────────────────────────────────────────\n"
              "\n"
              "Uruchom qz23-24 [Katalog_danych_,2024]\n"
              "gdzie:\n"
              "Katalog danych - lokalizacja istniejącego katalogu na rok 2024\n"
              "Katalogu w którym jest program qz23-24.EXE można umieścić\n"
              "plik o nazwie qz23-24.LST w którym można w kolejnych wierszach\n"
              "wpisać nazwy plików, jakie będą automatycznie kopiowane z katalogu\n"
              "danych firmy na rok nastepny\n"
              "\n"
              "Przebieg każdej konwersji jest dopisywany do pliku qz23-24.LOG\n"
              "w katalogu danych na rok 2024: ustawienia, komunikaty, pytania\n"
              "z odpowiedziami, wynik każdej firmy i podsumowanie.\n"
              "\n"
              "\n");
    EXPECT_EQ(screen.BytesAt(1, 3, 71), std::string(70, '\xC4') + " ");
}

TEST_F(MainFlowTest, HelpScreenReadsNeitherThePathFileNorTheList) {
    temp.writeFile("qz23-24.PTH", "KPR_2024=/inna\n");
    platform::SetArguments({"-?"});
    screen.PushIdle();  // the key comes once the wait is shown
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(exitCodeOf([&] { app::MainFlow(Executable()); }), 0);
    EXPECT_FALSE(screen.ScreenContains("Ustalenie")) << screen.ScreenText();
    EXPECT_FALSE(screen.ScreenContains("PROGRAM DO")) << screen.ScreenText();
}

// Given up on page 1, whose roots were never checked, the run keeps no report.
TEST_F(MainFlowTest, BannerWizardAndCancelAnsweredYesEndWithNacisnijEnterOnly) {
    platform::SetArguments({temp.root()});
    screen.PushAction([&] {
        EXPECT_EQ(FirstRowText(), " PROGRAM DO PRZEPCHNIĘCIA DANYCH KPR_QZ Z ROKU 2023 NA 2024 1.02");
        EXPECT_EQ(attributeOf(1, 1, 64), 0x0A);
        EXPECT_EQ(screen.BytesAt(1, 2, 80), std::string(80, '\xC4'));
        EXPECT_EQ(attributeOf(1, 2, 80), 0x0F);
        EXPECT_TRUE(screen.ScreenContains("─ Lokalizacja ─")) << screen.ScreenText();
    });
    screen.PushKey(tui::kbEsc);
    screen.PushIdle();
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("Rezygnujesz z konwersji danych na nowy rok ?")); });
    screen.PushText("t");
    bool seen = false;
    screen.PushAction([&] {
        seen = true;
        EXPECT_EQ(rows(3, 25), "Nacisnij Enter\n" + std::string(22, '\n')) << "no closing line, no page left";
        EXPECT_EQ(screen.CursorColumn(), 15);
        EXPECT_EQ(screen.CursorRow(), 3);
        EXPECT_NE(screen.CursorShapeShown(), platform::CursorShape::Hidden);
    });
    screen.PushIdle();  // the key comes once the wait is shown
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(exitCodeOf([&] { app::MainFlow(Executable()); }), 0);
    EXPECT_TRUE(seen);
    EXPECT_EQ(screen.Title(), "qzMarel - Konwerter 2023 - 2024");
    EXPECT_EQ(rows(2, 25), std::string(24, '\n')) << "the log is cleared at the end";
    EXPECT_FALSE(temp.exists("qz23-24.LOG"));
}

// A root longer than page 1 holds, from the path file or the command line, ends the
// run with the reason before the wizard, and nothing is made in either root.
TEST_F(MainFlowTest, ARootLongerThanThePageHoldsEndsTheRun) {
    const std::string deep = temp.root() + std::string(252, 'k');
    for (const bool fromPathFile : {true, false}) {
        temp.writeFile("qz23-24.PTH", fromPathFile ? "[PATHS]\nKPR_2023=" + deep + "\n" : "");
        platform::SetArguments({fromPathFile ? temp.root() : deep});
        bool shown = false;
        screen.PushIdle();  // the key comes once the box is shown
        screen.PushAction([&] {
            shown = screen.ScreenContains("Ścieżka dłuższa niż 255 znaków:") && !screen.ScreenContains("Lokalizacja");
        });
        screen.PushKey(tui::kbEnter);
        EXPECT_EQ(exitCodeOf([&] { app::MainFlow(Executable()); }), 0);
        EXPECT_TRUE(shown) << fromPathFile << "\n" << screen.ScreenText();
        EXPECT_FALSE(temp.exists("qz23-24.LOG")) << fromPathFile;
    }
}

TEST_F(MainFlowTest, SettleRunReadsTheListAndLetsThePathFileWin) {
    constexpr char S = platform::kSeparator;
    temp.writeFile("qz23-24.LST", "A.DAT\r\nB.DAT>C.DAT\r\n");
    temp.writeFile("qz23-24.PTH", std::string("[PATHS]\nKPR_2024=") + S + "nowe\n");
    const app::Run run = app::SettleRun(Executable(), "/argument");
    EXPECT_EQ(run.extraFiles, (std::vector<std::string>{"A.DAT", "B.DAT>C.DAT"}));
    EXPECT_EQ(run.paths.root2023, std::string(1, S) + "KPR_2023" + S);
    EXPECT_EQ(run.paths.root2024, std::string(1, S) + "nowe" + S);
    EXPECT_EQ(run.paths.programDirectory, temp.root());
}

TEST_F(MainFlowTest, SettleRunWithoutFilesKeepsTheArgument) {
    const app::Run run = app::SettleRun(Executable(), "/argument");
    EXPECT_TRUE(run.extraFiles.empty());
    EXPECT_EQ(run.paths.root2024, "/argument");
}

}  // namespace
