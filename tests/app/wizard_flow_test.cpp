// The wizard loop: moving between the pages, Cancel with its question, and what Start
// runs depending on the copy scope.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/main_flow.h"
#include "convert/options.h"
#include "tests/app/wizard_fixture.h"
#include "tui/keys.h"

namespace {

class WizardFlowTest : public qztest::WizardTest {
protected:
    void expectPage(std::string_view title) {
        screen.PushAction([this, title] { EXPECT_TRUE(showsPage(title)) << screen.ScreenText(); });
    }
    // Esc on the page shown and the answer to the cancel question.
    void cancel(bool confirmed) {
        screen.PushKey(tui::kbEsc);
        screen.PushIdle();
        screen.PushAction(
            [this] { EXPECT_TRUE(screen.ScreenContains("Rezygnujesz z konwersji danych na nowy rok ?")); });
        screen.PushText(confirmed ? "t" : "n");
    }
    bool logShows(std::string_view text) const { return screen.ScreenContains(text); }
};

TEST_F(WizardFlowTest, CancelOnPage3AnsweredNoShowsPage3AgainWithTheOptionsKept) {
    screen.PushKey(tui::kbPgDn);
    screen.PushKey(tui::kbPgDn);
    expectPage(" Dane firmowe  ");
    screen.PushKey(tui::kbSpace);  // "dane tekstowe firmy" off
    cancel(false);
    expectPage(" Dane firmowe  ");
    screen.PushAction([this] { EXPECT_TRUE(screen.ScreenContains("[ ] dane tekstowe firmy")); });
    cancel(true);
    app::RunWizard(run);
    EXPECT_EQ(run.options.firmItems, 0xFFFE);
    EXPECT_FALSE(logShows("Koniec pracy"));
}

TEST_F(WizardFlowTest, PgUpOnPage1AndPgDnOnPage4ChangeNothing) {
    screen.PushKey(tui::kbPgUp);
    expectPage(" Lokalizacja ");
    screen.PushKey(tui::kbPgDn);
    screen.PushKey(tui::kbPgDn);
    screen.PushKey(tui::kbPgDn);
    expectPage(" START KOPIOWANIA ");
    screen.PushKey(tui::kbPgDn);
    expectPage(" START KOPIOWANIA ");
    // Back and forth keeps every choice: page 3 shows its defaults again.
    screen.PushKey(tui::kbPgUp);
    expectPage(" Dane firmowe  ");
    cancel(true);
    app::RunWizard(run);
    const convert::Options defaults;
    EXPECT_EQ(run.options.globalItems, defaults.globalItems);
    EXPECT_EQ(run.options.firmItems, defaults.firmItems);
    EXPECT_EQ(run.options.copyScope, defaults.copyScope);
    EXPECT_EQ(run.options.globalSourceDir, defaults.globalSourceDir);
    EXPECT_EQ(run.options.stopAfterEachFirm, defaults.stopAfterEachFirm);
}

TEST_F(WizardFlowTest, StartWithoutFirmDataReadsNoRegistryAndShowsNoPicker) {
    // The registry's firm could be converted: reading it would open the picker.
    std::filesystem::create_directories(temp.path() / "KPR_2023" / "FIRMA");
    std::filesystem::create_directories(temp.path() / "KPR_2023" / "#BIN023");
    temp.writeFile("KPR_2023/#BIN023/KOLORY.QZ", "0123456789a");
    screen.PushKey(tui::kbPgDn);
    screen.PushKey(tui::kbPgDn);
    screen.PushKey(tui::kbPgDn);
    screen.PushKey(tui::kbShiftTab);
    screen.PushKey(tui::kbShiftTab);  // the copy scope, its first item highlighted
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);     // "Dane pózniej wskazanych firm" off
    screen.PushKey(tui::kbF5);
    app::RunWizard(run);
    EXPECT_EQ(run.options.copyScope, 0xFFFD);
    EXPECT_EQ(temp.readFile("KPR_2024/#BIN024/KOLORY.QZ"), "0123456789a") << "the global copy ran";
    EXPECT_FALSE(logShows("ROZPOZNANIE"));
    EXPECT_FALSE(temp.exists("KPR_2024/SPISFIRM.DAT"));
    EXPECT_TRUE(logShows("Koniec pracy kopiera danych KPR_QZ na rok 2024"));
}

// The run's report goes only into a 2024 root that page 1 let pass, and never into
// the 2023 tree: not into a root page 1 refused (the 2023 root in other letter
// case), not from a run given up on page 1 before any check, not into a directory
// of the 2023 root however it is spelt.
TEST_F(WizardFlowTest, TheReportGoesOnlyIntoAnAccepted2024RootOutsideThe2023Tree) {
    std::filesystem::create_directories(temp.path() / "KPR_2023" / "NOWY");
    const struct {
        std::string root2024;
        bool leavePage1;  // PgDn before the cancel
        bool refused;     // page 1 shows its box
        std::vector<std::string> reports;
    } cases[] = {
        {temp.root() + "kpr_2023", true, true, {}},
        {temp.root() + "KPR_2024", false, false, {}},
        {temp.root() + "kpr_2023" + S + "Nowy", true, false, {}},
        {temp.root() + "KPR_2024", true, false, {"KPR_2024/qz23-24.LOG"}},
    };
    for (const auto& c : cases) {
        run.paths.root2024 = c.root2024;
        if (c.leavePage1) screen.PushKey(tui::kbPgDn);
        if (c.refused) {
            screen.PushIdle();
            screen.PushAction([this] { EXPECT_TRUE(screen.ScreenContains("Katalogi nię mogą być identyczne !")); });
            screen.PushKey(tui::kbEnter);
        }
        cancel(true);
        app::RunWizard(run);
        std::vector<std::string> reports;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path()))
            if (entry.path().filename() == "qz23-24.LOG")
                reports.push_back(std::filesystem::relative(entry.path(), temp.path()).generic_string());
        EXPECT_EQ(reports, c.reports) << c.root2024;
        if (!reports.empty()) {
            EXPECT_NE(temp.readFile(reports[0]).find("\r\n? Rezygnujesz z konwersji danych na nowy rok ? -- odpowiedź: Tak\r\n"),
                      std::string::npos);
        }
        for (const std::string& report : reports) std::filesystem::remove(temp.path() / report);
    }
}

}  // namespace
