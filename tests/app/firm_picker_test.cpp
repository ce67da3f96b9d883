// The firm picker: the firm lines, the window as it opens, and the keys that change
// the selection, start the conversion or give it up.
#include "app/firm_picker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp852.h"
#include "tests/app/wizard_fixture.h"
#include "tui/hint_bar.h"
#include "tui/keys.h"

namespace {

using namespace platform::literals;
using qztest::Firm;

class FirmPickerTest : public qztest::WizardTest {
protected:
    void fillList(const std::vector<fileio::RegistryRecord>& records) {
        firms.clear();
        for (const fileio::RegistryRecord& record : records) firms.push_back(app::FirmRecord{record});
    }
    std::vector<bool> selection() const {
        std::vector<bool> selected;
        for (const app::FirmRecord& firm : firms) selected.push_back(firm.selected);
        return selected;
    }
    void fourFirms() {
        fillList({Firm("Cukiernia Tomasz Górski"_cp, "GORSKI", "Świdnica, ul. Długa 5"_cp),
                   Firm("Sklep Spożywczy Walczak"_cp, "WALCZAK", "Łódź"_cp),
                   Firm("F.H.U. Jankowski", "JANKOWSK", ""),
                   Firm("Apteka", "APTEKA", "Kielce")});
    }

    std::vector<app::FirmRecord> firms;
};

TEST_F(FirmPickerTest, FirmLines) {
    struct Case {
        const char* name;
        fileio::RegistryRecord record;
        bool selected;
        std::string line;
    };
    const Case cases[] = {
        {"short fields", Firm("Apteka", "APTEKA", "Kielce"), true,
         "Apteka                         \xFE APTEKA   Kielce    "},
        {"not selected", Firm("Apteka", "APTEKA", "Kielce"), false,
         "Apteka                         \xFA APTEKA   Kielce    "},
        {"a name of 31 and a long description", Firm(std::string(31, 'N'), "KATALOG8", "0123456789ABCDEFGHIJ"), true,
         std::string(31, 'N') + "\xFE KATALOG8 0123456789"},
        {"nothing but the mark", Firm("", "", ""), true, std::string(31, ' ') + "\xFE" + std::string(20, ' ')},
    };
    for (const Case& c : cases) {
        const app::FirmRecord firm{c.record, c.selected};
        const std::string line = app::FirmLine(firm);
        EXPECT_EQ(line, c.line) << c.name;
        EXPECT_EQ(line.size(), 52u) << c.name;
    }
}

TEST_F(FirmPickerTest, OpensWithEveryFirmSelectedAndSpaceChangesOnlyTheFocusedMark) {
    fourFirms();
    screen.PushAction([&] {
        EXPECT_EQ(rows(6, 25),
                  "         ┌────────────────────── BAZA FIRM ───────────────────────┐\n"
                  "         │  Nazwa                   Wybrana? KATALOG   INFO       │\n"
                  "         │┌──────────────────────────────────────────────────────┐│\n"
                  "         ││ Cukiernia Tomasz Górski        ■ GORSKI   Świdnica,  ││\n"
                  "         ││ Sklep Spożywczy Walczak        ■ WALCZAK  Łódź       ││\n"
                  "         ││ F.H.U. Jankowski               ■ JANKOWSK            ││\n"
                  "         ││ Apteka                         ■ APTEKA   Kielce     ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         ││                                                      ││\n"
                  "         │└>─────────────────────────────────────────────────────┘│\n"
                  "         └────────────────────────────────────────────────────────┘\n"
                  "\n"
                  "\n"
                  "\n"
                  "\n"
                  " SPACE - Zaznacz (■)│^W Wszystkie │^D Żadna │F5 - ZACZNIJ│\n");
    });
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);
    screen.PushAction([&] {
        EXPECT_EQ(rows(9, 12),
                  "         ││ Cukiernia Tomasz Górski        ■ GORSKI   Świdnica,  ││\n"
                  "         ││ Sklep Spożywczy Walczak        ■ WALCZAK  Łódź       ││\n"
                  "         ││ F.H.U. Jankowski               ˙ JANKOWSK            ││\n"
                  "         ││ Apteka                         ■ APTEKA   Kielce     ││\n");
    });
    screen.PushKey(tui::kbF5);
    EXPECT_TRUE(app::PickFirms(firms));
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, false, true}));
    EXPECT_EQ(rows(6, 25), std::string(20, '\n')) << "the picker leaves nothing behind";
    EXPECT_EQ(tui::CurrentHintBar(), nullptr);
}

TEST_F(FirmPickerTest, KeysAndTheirOutcome) {
    struct Case {
        const char* name;
        std::vector<tui::KeyCode> keys;
        bool started;
        std::vector<bool> selected;
    };
    const Case cases[] = {
        {"F5 at once", {tui::kbF5}, true, {true, true, true, true}},
        {"Ctrl+D then F5", {tui::kbCtrlD, tui::kbF5}, true, {false, false, false, false}},
        {"Ctrl+D, Space on the first, F5", {tui::kbCtrlD, tui::kbSpace, tui::kbF5}, true, {true, false, false, false}},
        {"Ctrl+D then Ctrl+W", {tui::kbCtrlD, tui::kbCtrlW, tui::kbF5}, true, {true, true, true, true}},
        {"Space twice", {tui::kbEnd, tui::kbSpace, tui::kbSpace, tui::kbF5}, true, {true, true, true, true}},
        {"Esc", {tui::kbSpace, tui::kbEsc}, false, {false, true, true, true}},
    };
    for (const Case& c : cases) {
        fourFirms();
        for (tui::KeyCode key : c.keys) screen.PushKey(key);
        EXPECT_EQ(app::PickFirms(firms), c.started) << c.name;
        EXPECT_EQ(selection(), c.selected) << c.name;
    }
}

TEST_F(FirmPickerTest, ASingleFirm) {
    fillList({Firm("Apteka", "APTEKA", "")});
    screen.PushKey(tui::kbCtrlD);
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("Apteka                         ˙ APTEKA")); });
    screen.PushKey(tui::kbCtrlW);
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("Apteka                         ■ APTEKA")); });
    screen.PushKey(tui::kbF5);
    EXPECT_TRUE(app::PickFirms(firms));
    EXPECT_EQ(selection(), std::vector<bool>{true});
}

TEST_F(FirmPickerTest, SearchByTheDirectoryAfterTab) {
    fourFirms();
    screen.PushKey(tui::kbTab);
    screen.PushText("apt");
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbF5);
    EXPECT_TRUE(app::PickFirms(firms));
    EXPECT_EQ(selection(), (std::vector<bool>{true, true, true, false}));
}

TEST_F(FirmPickerTest, NoFirmToConvertOpensNoPicker) {
    // The only firm of the registry is converted already: its 2024 directory is there
    // and it is in the 2024 registry.
    std::filesystem::create_directories(temp.path() / "KPR_2023" / "FIRMA");
    std::filesystem::create_directories(temp.path() / "KPR_2024" / "FIRMA");
    temp.writeFile("KPR_2024/SPISFIRM.DAT", temp.readFile("KPR_2023/SPISFIRM.DAT"));
    screen.PushIdle();  // the key comes once the wait is shown
    screen.PushKey(tui::kbEnter);  // after "Zerowa ilość odczytanych firm"
    fourFirms();
    convert::ClaimedDirectories claims;
    EXPECT_FALSE(app::SelectFirms(run.paths, claims, firms));
    EXPECT_TRUE(firms.empty());
    EXPECT_FALSE(screen.ScreenContains("BAZA FIRM"));
}

}  // namespace
