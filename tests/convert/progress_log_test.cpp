// The progress log: header rows, scrolling, one-write colours, key waits and pauses,
// and the run's report that records its lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "platform/cp852.h"
#include "tests/support/screen_test.h"
#include "tui/hint_bar.h"
#include "tui/screen.h"
#include "tui/text_device.h"
#include "tui/window.h"

using namespace platform::literals;

namespace {

class ProgressLogTest : public qztest::ScreenTest {
protected:
    ProgressLogTest() {
        tui::SetSlowLog(false);
        tui::ClearLog(true);
    }

    // The banner as the main flow writes it.
    static void writeBanner() {
        tui::SetTextBackground(0);
        tui::ClearLog(true);
        tui::LogWriteLine(" PROGRAM DO PRZEPCHNIĘCIA DANYCH KPR_QZ Z ROKU 2023 NA 2024 1.02"_cp, 0x0A);
        tui::LogWriteLine(std::string(80, "─"_cp[0]), 0x0F);
    }
};

TEST_F(ProgressLogTest, AColourHoldsForItsWriteOnly) {
    writeBanner();
    tui::LogWrite("Błąd"_cp, 0x0C);
    tui::LogWriteLine(" dalej");
    EXPECT_EQ(attributeOf(1, 1, 64), 0x0A);
    EXPECT_EQ(attributeOf(1, 2, 80), 0x0F);
    EXPECT_EQ(attributeOf(1, 3, 4), 0x0C);
    EXPECT_EQ(attributeOf(5, 3, 6), 0x07);
    std::string rule;
    for (int i = 0; i < 80; ++i) rule += "─";
    EXPECT_EQ(rows(1, 4), " PROGRAM DO PRZEPCHNIĘCIA DANYCH KPR_QZ Z ROKU 2023 NA 2024 1.02\n" + rule +
                              "\n"
                              "Błąd dalej\n"
                              "\n");
}

TEST_F(ProgressLogTest, TextIsCutAtColumn80AndTheColumnStaysThere) {
    tui::LogWrite(std::string(75, 'a'));
    tui::LogWrite("bcdefgh");  // 6 columns left: "bcdef"
    EXPECT_EQ(screen.CursorColumn(), 80);
    tui::LogWrite("XY");  // lands on column 80
    EXPECT_EQ(screen.RowText(1), std::string(75, 'a') + "bcdeX");
    EXPECT_EQ(screen.RowText(2), std::string(80, ' '));
}

TEST_F(ProgressLogTest, LinesScrollBelowTheHeaderAndRow24StaysBlank) {
    writeBanner();
    for (int line = 1; line <= 30; ++line) tui::LogWriteLine("linia " + std::to_string(line));
    // A box opened before the screen is shown stands over the scrolled rows, and
    // puts back the rows as the log holds them when it closes.
    tui::Window* box = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{10, 5, 40, 20}, {0x70, 0x70, 0x70}, "", box));
    tui::Delay(0);  // shows the screen
    EXPECT_EQ(attributeOf(10, 12, 31), 0x70);
    tui::CloseWindow(box);
    tui::Delay(0);
    std::string expected;
    // The last line written has moved up to row 22; row 23 waits for the next one.
    for (int line = 11; line <= 30; ++line) expected += "linia " + std::to_string(line) + "\n";
    EXPECT_EQ(rows(3, 25), expected + "\n\n\n");
    EXPECT_EQ(screen.RowText(1).substr(0, 10), " PROGRAM D");
    EXPECT_EQ(screen.BytesAt(1, 2, 1), "─"_cp);
    tui::LogWrite("nowa");
    EXPECT_EQ(screen.BytesAt(1, 23, 4), "nowa");
    EXPECT_EQ(screen.CursorRow(), 23);
}

TEST_F(ProgressLogTest, ScrolledRowsAreDrawnInTheTextAttribute) {
    for (int line = 1; line <= 23; ++line) {
        tui::LogWriteLine("x", 0x0C);
    }
    tui::Delay(0);  // shows the screen
    EXPECT_EQ(screen.CellAt(1, 22).attribute, 0x07);  // moved up from row 23
    EXPECT_EQ(screen.CellAt(1, 3).attribute, 0x07);   // moved up from row 4
    EXPECT_EQ(screen.CellAt(1, 1).attribute, 0x0C);   // header rows are not redrawn
}

TEST_F(ProgressLogTest, ClearingBelowTheBannerKeepsItAndWritesOnTheFirstFreeRow) {
    writeBanner();
    for (int line = 1; line <= 5; ++line) tui::LogWriteLine("x");
    tui::ClearLog(false);
    tui::LogWrite("Nacisnij Enter");
    EXPECT_EQ(screen.RowText(1).substr(0, 10), " PROGRAM D");
    EXPECT_EQ(rows(3, 5), "Nacisnij Enter\n\n\n");

    tui::ClearLog(true);
    EXPECT_EQ(rows(1, 25), std::string(25, '\n'));
    tui::LogWrite("od nowa");
    EXPECT_EQ(screen.BytesAt(1, 1, 7), "od nowa");
}

TEST_F(ProgressLogTest, PausesOnlyInSlowMode) {
    tui::LogPause();
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
    tui::SetSlowLog(true);
    tui::LogPause();
    EXPECT_EQ(clock.TotalSleptMs(), 1000u);
}

TEST_F(ProgressLogTest, AFastLogIsShownWhileItRunsButNotLineByLine) {
    // 100 lines 10 ms apart: shown after the first, then once every 40 ms.
    int showings = 0;
    for (int line = 0; line < 100; ++line) {
        const int before = screen.CellsFlushed();
        tui::LogWriteLine("wiersz " + std::to_string(line));
        if (screen.CellsFlushed() > before) ++showings;
        clock.Advance(10);
    }
    EXPECT_EQ(showings, 25);
    EXPECT_EQ(clock.TotalSleptMs(), 100u * 10) << "showing the log must not pause the work";
}

// A run killed at any point after the report opens leaves at least its header.
TEST_F(ProgressLogTest, TheReportHoldsItsHeaderAsSoonAsItOpens) {
    qztest::TempDir temp;
    const std::vector<std::string> header = {"Katalog 2023: C:\\KPR_2023\\"};
    convert::OpenRunReport(temp.root() + std::string(convert::kRunReportName), header);
    const std::string report = temp.readFile(std::string(convert::kRunReportName));
    convert::CloseRunReport();
    EXPECT_NE(report.find("=== Raport przebiegu "), std::string::npos) << report;
    EXPECT_NE(report.find("\r\nKatalog 2023: C:\\KPR_2023\\\r\n"), std::string::npos) << report;
}

TEST_F(ProgressLogTest, TheReportHoldsEveryLineUpToAnErrorOnceTheErrorIsShown) {
    qztest::TempDir temp;
    convert::OpenRunReport(temp.root() + std::string(convert::kRunReportName), {});
    tui::LogWriteLine("Kopiuję plik"_cp);
    tui::LogWriteLine("Błąd odczytu"_cp, tui::logcolour::Error);
    const std::string report = temp.readFile(std::string(convert::kRunReportName));
    convert::CloseRunReport();
    EXPECT_NE(report.find("Kopiuję plik\r\n! Błąd odczytu\r\n"), std::string::npos) << report;
}

// Another workstation's run appends to the same report meanwhile: each run's lines
// go after the other's, none written over.
TEST_F(ProgressLogTest, TheReportIsAppendedToAfterWhatAnotherRunWroteMeanwhile) {
    qztest::TempDir temp;
    const std::string name(convert::kRunReportName);
    convert::OpenRunReport(temp.root() + name, {});
    tui::LogWriteLine("Pierwszy", tui::logcolour::Error);
    temp.writeFile(name, temp.readFile(name) + "drugie stanowisko\r\n");
    tui::LogWriteLine("Trzeci", tui::logcolour::Error);
    convert::CloseRunReport();
    EXPECT_NE(temp.readFile(name).find("! Pierwszy\r\ndrugie stanowisko\r\n! Trzeci\r\n"), std::string::npos)
        << temp.readFile(name);
}

}  // namespace

// While a wait is on, the hint row names what it expects; the bar it covered comes back.
TEST_F(ProgressLogTest, WaitsNameWhatTheyExpectOnTheHintRow) {
    tui::HintBar* bar = tui::PushHintBar(tui::NewHint(nullptr, 0, 0, "F5 - dalej"));
    const std::string before = screen.RowText(25);
    std::string duringKey, duringChoice;
    screen.PushIdle();  // the wait is shown here
    screen.PushAction([&] { duringKey = screen.RowText(25); });
    screen.PushText("x");
    tui::LogWaitForKey();
    EXPECT_EQ(screen.RowText(25), before);
    screen.PushIdle();
    screen.PushAction([&] { duringChoice = screen.RowText(25); });
    screen.PushText("n");
    tui::LogWaitForChoice("Dalej ?", "TAN");
    EXPECT_EQ(screen.RowText(25), before);
    tui::PopHintBar(bar);
    EXPECT_NE(duringKey.find("Naciśnij dowolny klawisz"), std::string::npos) << duringKey;
    EXPECT_NE(duringChoice.find("Naciśnij T, A lub N"), std::string::npos) << duringChoice;
}

// The report holds a line whole past column 80, writes a line repeated at once once
// with its count, marks the line of a point to check and lists the point after the
// firm's result and in the summary, with the count of dropped records.
TEST_F(ProgressLogTest, TheReportHoldsWholeLinesCountsRepeatsAndListsPointsToCheck) {
    qztest::TempDir temp;
    convert::OpenRunReport(temp.root() + std::string(convert::kRunReportName), {});
    convert::ReportFirmStart("FIRMA1");
    const std::string wide = std::string(70, 'a') + " koniec linii";
    tui::LogWriteLine(wide);
    for (int i = 0; i < 3; ++i) tui::LogWriteLine("Wynagrodzenie idx = ");
    for (int i = 0; i < 2; ++i) {
        tui::LogWriteLine("Nie odnaleziono osoby");
        convert::ReportToCheck("pominięty rekord"_cp, convert::CheckKind::RecordDropped);
    }
    tui::LogWriteLine("dalej");
    convert::ReportFirmResult("Firma 1", "FIRMA1", convert::FirmOutcome::Registered);
    convert::CloseRunReport();
    const std::string report = platform::cp852::FromUtf8(temp.readFile(std::string(convert::kRunReportName)));
    EXPECT_NE(report.find(wide + "\r\nWynagrodzenie idx = (3 razy)\r\n! Nie odnaleziono osoby (2 razy)\r\ndalej\r\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("]: przeniesiona i wpisana do rejestru 2024\r\n!    - pominięty rekord (2 razy)\r\n"_cp),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("Rekordy pominięte: 2\r\nDo sprawdzenia: 1 firm\r\n"_cp), std::string::npos) << report;
    EXPECT_NE(report.find("Do sprawdzenia:\r\nFirma Firma 1 [FIRMA1]:\r\n   - pominięty rekord (2 razy)\r\n"_cp),
              std::string::npos)
        << report;
}
