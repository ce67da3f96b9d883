// The four wizard pages: how each looks when first shown, the path check and the path
// file of page 1, the family rule of page 3, and the global-data rule and the initial
// focus of page 4.
#include "app/wizard_pages.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/options.h"
#include "platform/cp852.h"
#include "tests/app/wizard_fixture.h"
#include "tui/keys.h"

namespace {

using namespace platform::literals;
using WizardPagesTest = qztest::WizardTest;

// Screen rows of the 2023 input line and of the save check box on page 1.
constexpr int kRow2023 = 7;
constexpr int kSaveRow = 12;

TEST_F(WizardPagesTest, EveryPageAsFirstShownWithTheDefaultOptions) {
    run.paths.root2023 = "/KPR_2023/";
    run.paths.root2024 = "/dane/KPR_2024/";
    const std::string pages[] = {
             "  ┌────────────────────────────── Lokalizacja ───────────────────────────────┐\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │  katalogu źrodłowy: tam gdzie jest plik SPISFIRM.DAT                     │\n"
             "  │   /KPR_2023/                                                             │\n"
             "  │                                                                          │\n"
             "  │  lokalizacja docelowa:                                                   │\n"
             "  │   /dane/KPR_2024/                                                        │\n"
             "  │                                                                          │\n"
             "  │   [ ] zapisz ustawienie lokalizacji (w pliku qz23-24.PTH)                │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │   Dodatkowe opcje:                                                       │\n"
             "  │    [■] informuj o nie zamkniętym grudniu i związaną z tym konsekwencją   │\n"
             "  │    [ ] pokazuj powoli szczegóły konwersji                                │\n"
             "  │    [ ] Zasłoń(~) w 2023 przekonwertowane pliki 2024K880.mm i 2024SP.nn   │\n"
             "  │                                                                          │\n"
             "  │                                   Poniechaj   ▄        Dalej >>   ▄      │\n"
             "  │                                  ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      │\n"
             "  └──────────────────────────────────────────────────────────────────────────┘\n"
             " PgDn-Dalej│\n",
             "  ┌───────────────────── Dane globalne, konfiguracyjne ──────────────────────┐\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │  Zaznaczam do kopiowania :                                               │\n"
             "  │   [■] Globalnę bazę adresów                                              │\n"
             "  │   [■] Ustawienia listy pracowników                                       │\n"
             "  │   [■] Bazę stałych F1..F10                                               │\n"
             "  │   [■] -                                                                  │\n"
             "  │   [■] Dane konfiguracji DLL z KPR_QZ.INI                                 │\n"
             "  │   [ ] Stałe podatkowe na 2023 rok                                        │\n"
             "  │   [■] Ustawienia składników wynagrodzeń                                  │\n"
             "  │   [■] Ustawienia kolorów                                                 │\n"
             "  │   [■] Ustawienia kpr_2023.ini -> kpr_2024.ini                            │\n"
             "  │   [■] Plik \"OPERATOR.REK\"                                                │\n"
             "  │   [■] Plik \"ZUS_PEL.INI\",\"UMOWY.INI\"                                     │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │               << Wstecz   ▄       Poniechaj   ▄        Dalej >>   ▄      │\n"
             "  │              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      │\n"
             "  └──────────────────────────────────────────────────────────────────────────┘\n"
             " PgUp-Wstecz│PgDn-Dalej│\n",
             "  ┌───────────────────────────── Dane firmowe  ──────────────────────────────┐\n"
             "  │ Zaznaczam do kopiowania :              *) Dane - przenieś :              │\n"
             "  │  [■] dane tekstowe firmy                (■) wszystkich                   │\n"
             "  │  [■] dane pracowników, właścicieli *)   (˙) zatrudnionych na 31.12.2023  │\n"
             "  │  [■] dane rodzin ww                *)   (˙) pytaj sie o każdego          │\n"
             "  │  [■] dane do PIT-D  **)                **) z PID-5 - przenieś :          │\n"
             "  │  [■] bazę adresów lokalnych             (■) wszystkich                   │\n"
             "  │  [■] bazę automatów sprzedaży           (˙) pytaj sie o każdego          │\n"
             "  │  [■] bazę automatów zakupów            Wprowadzone już w 2024 roku       │\n"
             "  │  [■] bazę stalych F1..F10, Notatnik     [■] dokumenty księgowe           │\n"
             "  │  [■] baze przekazów pieniężnych         [■] wynagrodzenia pracowników    │\n"
             "  │  [■] ustawienia składnikow wynagrodzeń  [■] umowy zlecenia               │\n"
             "  │  [■] Dane ZUS-PEL ZUS_PEL.INI           [■] noty księgowe                │\n"
             "  │  [■] środki trwałe umożone jednorazowo                                   │\n"
             "  │  [■] ustawienia danych na przelewach   Programy \"DLL\"                    │\n"
             "  │  [■] bazę dowodów wewnętrznych          [■] Środki Trwałe MT510          │\n"
             "  │  [■] bazę wystawionych odsetek          [■] WsadToKPR - ustawienia       │\n"
             "  │  [■] listę pojazdów na cele VAT         [■] HD602 - dane do sprzedaży    │\n"
             "  │                                                                          │\n"
             "  │               << Wstecz   ▄       Poniechaj   ▄        Dalej >>   ▄      │\n"
             "  │              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      │\n"
             "  └──────────────────────────────────────────────────────────────────────────┘\n"
             " PgUp-Wstecz│PgDn-Dalej│\n",
             "  ┌──────────────────────────── START KOPIOWANIA ────────────────────────────┐\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │  Co pokopiowac :                                                         │\n"
             "  │   [■] Dane Globalne z #BIN023 (tylko z 990) do #BIN024                   │\n"
             "  │   [■] Dane pózniej wskazanych firm                                       │\n"
             "  │                                                                          │\n"
             "  │  Wykonanie kopiowania                                                    │\n"
             "  │   [ ] Zatrzymywac akcje co firme                                         │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │                           ▄                                              │\n"
             "  │                ZACZNIJ    █                                              │\n"
             "  │                           █                                              │\n"
             "  │              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀                                              │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │                                                                          │\n"
             "  │               << Wstecz   ▄       Poniechaj   ▄                          │\n"
             "  │              ▀▀▀▀▀▀▀▀▀▀▀▀▀▀      ▀▀▀▀▀▀▀▀▀▀▀▀▀▀                          │\n"
             "  └──────────────────────────────────────────────────────────────────────────┘\n"
             " PgUp-Wstecz│F5-ZACZNIJ│\n"
    };
    for (int number = 1; number <= app::kWizardPageCount; ++number) {
        std::unique_ptr<app::WizardPage> page = app::BuildPage(number, run.paths, run.options);
        ASSERT_NE(page, nullptr) << number;
        EXPECT_EQ(rows(3, 25), pages[number - 1]) << "page " << number;
        app::DisposePage(page);
        EXPECT_EQ(rows(3, 25), std::string(23, '\n')) << "page " << number << " leaves nothing behind";
    }
    EXPECT_EQ(run.options.copyScope, 0xFFFF) << "no global address base in the 2024 root";
}

TEST_F(WizardPagesTest, Page1CancelKeepsTheTypedRootsWithoutAnyCheck) {
    std::filesystem::remove(temp.path() / "KPR_2023" / "SPISFIRM.DAT");
    run.paths.root2023 = "/nigdzie";
    screen.PushText("X");
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(showPage(1), tui::cmCancel);
    EXPECT_EQ(run.paths.root2023, "/nigdzieX") << "neither checked nor completed";
    EXPECT_FALSE(screen.ScreenContains("Brak pliku"));
    EXPECT_FALSE(pathFileWritten());

    // Built again, the page shows the roots as typed and the save box clear.
    std::unique_ptr<app::WizardPage> page = app::BuildPage(1, run.paths, run.options);
    EXPECT_EQ(screen.BytesAt(7, kRow2023, 12), "/nigdzieX   ");
    EXPECT_EQ(screen.BytesAt(7, kSaveRow, 3), "[ ]");
}

TEST_F(WizardPagesTest, Page1ShowsALongRootInFiftyColumnsWithoutCuttingIt) {
    const std::string deep = temp.root() + std::string(60, 'd') + S;
    run.paths.root2024 = deep;
    std::filesystem::create_directories(temp.path() / std::string(60, 'd'));
    screen.PushKey(tui::kbPgDn);
    EXPECT_EQ(showPage(1), app::cmNext);
    EXPECT_EQ(run.paths.root2024, deep);
}

TEST_F(WizardPagesTest, Page3FamilyDataGoOnlyWithStaffData) {
    // Staff off (Down, Space): the family item is cleared at the next event the list
    // hands to the page.
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("[■] dane rodzin")); });
    screen.PushKey(tui::kbTab);
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("[ ] dane rodzin")); });
    // Ticking the family item alone does not last to the end of the page.
    screen.PushKey(tui::kbShiftTab);
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbPgDn);
    EXPECT_EQ(showPage(3), app::cmNext);
    EXPECT_EQ(run.options.firmItems, 0xFFFF & ~convert::firm::Staff & ~convert::firm::Families);
}

TEST_F(WizardPagesTest, Page3RadioGroupsAndSetsReachTheOptions) {
    screen.PushKey(tui::kbTab);  // the staff group
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbTab);  // the PIT-D group
    screen.PushKey(tui::kbDown);
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbTab);  // the 2024 entries
    screen.PushKey(tui::kbSpace);
    screen.PushKey(tui::kbPgUp);
    EXPECT_EQ(showPage(3), app::cmBack);
    EXPECT_EQ(run.options.staffSelection, convert::StaffSelection::AskEach);
    EXPECT_EQ(run.options.pitDSelection, convert::PitDSelection::AskEach);
    EXPECT_EQ(run.options.entries2024, 0xFFFE) << "the bits without a box stay set";

    // Shown again, the page starts from what was chosen.
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("(■) pytaj sie o każdego")); });
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(showPage(3), tui::cmCancel);
    EXPECT_EQ(run.options.staffSelection, convert::StaffSelection::AskEach);
}

TEST_F(WizardPagesTest, Page4FlipsGlobalDataOnEveryVisitWhileThe2024AddressBaseExists) {
    const std::string base = std::string("KPR_2024/#BIN024/") + "baza_ad8.rek";
    temp.writeFile(base, "");
    screen.PushKey(tui::kbEsc);
    showPage(4);
    EXPECT_EQ(run.options.copyScope, 0xFFFF) << "an empty base counts as none";

    temp.writeFile(base, std::string(480, 'a'));
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("[ ] Dane Globalne z")); });
    screen.PushKey(tui::kbPgUp);
    EXPECT_EQ(showPage(4), app::cmBack);
    EXPECT_EQ(run.options.copyScope, 0xFFFE);
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("[■] Dane Globalne z")); });
    screen.PushKey(tui::kbEsc);
    showPage(4);
    EXPECT_EQ(run.options.copyScope, 0xFFFF) << "inverted, not cleared";
}

// A global copy that a run cut short left unfinished (its mark, with no one holding
// it) is offered on every visit, whatever the address base says.
TEST_F(WizardPagesTest, Page4OffersAnUnfinishedGlobalCopyOnEveryVisit) {
    temp.writeFile("KPR_2024/#BIN024/baza_ad8.rek", std::string(480, 'a'));
    temp.writeFile("KPR_2024/#BIN024/_qz_conv.tmp", "2024-01-15 09:00:00\r\nbaza_ad8.rek\r\n");
    for (int visit = 1; visit <= 2; ++visit) {
        screen.PushAction([&] {
            EXPECT_TRUE(screen.ScreenContains("[■] Dane Globalne z")) << visit;
            EXPECT_TRUE(screen.ScreenContains("─ START KOPIOWANIA ─")) << "the page over the log";
        });
        screen.PushKey(tui::kbPgUp);
        EXPECT_EQ(showPage(4), app::cmBack);
        EXPECT_EQ(run.options.copyScope, 0xFFFF) << visit;
    }
    EXPECT_TRUE(screen.ScreenContains("Niedokończone kopiowanie danych globalnych - zostanie powtórzone"));
}

TEST_F(WizardPagesTest, Page4StartsOnTheStopCheckBoxAndTakesALongerSourceDirectory) {
    screen.PushKey(tui::kbSpace);     // "Zatrzymywac akcje co firme"
    screen.PushKey(tui::kbShiftTab);  // the directory name
    screen.PushKey(tui::kbCtrlY);
    screen.PushText("#BIN023_990XYZW");
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains(" _990XYZ (tylko z 990)")) << screen.ScreenText(); });
    screen.PushKey(tui::kbF5);
    EXPECT_EQ(showPage(4), app::cmStart);
    EXPECT_TRUE(run.options.stopAfterEachFirm);
    EXPECT_EQ(run.options.globalSourceDir, "#BIN023_990XYZ") << "14 characters at most";
}

TEST_F(WizardPagesTest, PagesCloseOnlyOnTheirOwnCommands) {
    // PgUp is no command of page 1, PgDn none of page 4.
    screen.PushKey(tui::kbPgUp);
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(showPage(1), tui::cmCancel);
    screen.PushKey(tui::kbPgDn);
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(showPage(4), tui::cmCancel);
    // A button's letter only moves the focus to it; Enter then presses it. On page 4,
    // whose focus starts on a check box, "z" does not start the run, nor "<" go back.
    const struct {
        const char* letter;
        const char* pressedLook;
    } letters[] = {{"z", "»  ZACZNIJ   «"}, {"<", "» << Wstecz  «"}};
    for (const auto& c : letters) {
        screen.PushText(c.letter);
        screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains(c.pressedLook)) << screen.ScreenText(); });
        screen.PushKey(tui::kbEsc);
        EXPECT_EQ(showPage(4), tui::cmCancel) << c.letter;
    }
    screen.PushText("z");
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(showPage(4), app::cmStart);
    screen.PushKey(tui::kbTab);
    screen.PushText("d");
    screen.PushAction([&] { EXPECT_TRUE(screen.ScreenContains("»  Dalej >>  «")) << screen.ScreenText(); });
    screen.PushKey(tui::kbSpace);
    EXPECT_EQ(showPage(2), app::cmNext);
    screen.PushKey(tui::kbTab);
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(showPage(2), app::cmBack);
}

}  // namespace
