// The global copy on real trees: what is copied under which options, the overwrite
// questions it meets, and the fatal stops.
#include "app/global_copy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/main_flow.h"
#include "tui/progress_log.h"
#include "fileio/shared_locks.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tests/support/conversion_test.h"
#include "tui/keys.h"
#include "tui/text_device.h"

namespace {

using namespace platform::literals;
namespace global = convert::global;

class GlobalCopyTest : public qztest::ConversionTest {
protected:
    GlobalCopyTest() {
        paths.root2023 = temp.root() + "KPR_2023/";
        paths.root2024 = temp.root() + "KPR_2024/";
        std::filesystem::create_directories(temp.path() / "KPR_2024");
    }

    // A 2023 global-data directory with every file the copy knows but kart01.cnf
    // and 2024_lp2.cc.
    void write2023Files() const {
        write2023("baza_ad8.rek", std::string(2 * 480, 'a'));
        write2023("kpr_2023.ini", "[KPR]\nrok=2023\n");
        write2023("baza_ff.txt", "F2=Faktura\r\n");
        write2023("KPR_QZ.INI", "[DLL]\r\n");
        write2023("2023spd.ini", "[SPD]\r\n");
        write2023("2023_lp2.cc", "placa 2023");
        write2023("KOLORY.QZ", "0123456789a");
        write2023("OPERATOR.REK", std::string(2 * 512, 'o'));
        write2023("ZUS_PEL.INI", "[ZUS]\r\n");
        write2023("UMOWY.INI", "[UMOWY]\r\n");
    }
    void write2023(const std::string& name, std::string_view bytes) const {
        temp.writeFile("KPR_2023/#BIN023/" + name, bytes);
    }
    std::string read2024(const std::string& name) const { return temp.readFile("KPR_2024/#BIN024/" + name); }
    bool exists2024(const std::string& name) const { return temp.exists("KPR_2024/#BIN024/" + name); }

    // A centred line of the error box, cut to its 38 columns.
    static std::string boxLine(const std::string& utf8) {
        std::string line = platform::cp852::FromUtf8(utf8).substr(0, 38);
        line.insert(0, (38 - line.size()) / 2, ' ');
        line.resize(38, ' ');
        return "                   │" + platform::cp852::ToUtf8(line) + "│\n";
    }

    app::RunPaths paths;
};

TEST_F(GlobalCopyTest, DefaultOptionsOnAFresh2024Tree) {
    write2023Files();
    write2023("2024_lp2.cc", "placa 2024");
    // The second salary copy meets the file the first one made.
    screen.PushIdle();  // the key comes once the wait is shown
    screen.PushText("w");
    app::RunGlobalCopy(paths, options);

    EXPECT_EQ(read2024("baza_ad8.rek"), std::string(2 * 480, 'a'));
    EXPECT_EQ(read2024("kpr_2024.ini"), "[KPR]\r\nrok=2023\r\n");
    EXPECT_FALSE(exists2024("kpr_2023.ini"));
    EXPECT_EQ(read2024("baza_ff.txt"), "F2=Faktura\r\n");
    EXPECT_EQ(read2024("KPR_QZ.INI"), "[DLL]\r\n");
    EXPECT_FALSE(exists2024("2023spd.ini")) << "last year's tax constants are off by default";
    EXPECT_EQ(read2024("2024_lp2.cc"), "placa 2024");
    EXPECT_FALSE(exists2024("2023_lp2.cc"));
    EXPECT_EQ(read2024("KOLORY.QZ"), "0123456789a");
    EXPECT_EQ(read2024("OPERATOR.REK"), std::string(2 * 512, 'o'));
    EXPECT_EQ(read2024("ZUS_PEL.INI"), "[ZUS]\r\n");
    EXPECT_EQ(read2024("UMOWY.INI"), "[UMOWY]\r\n");
    EXPECT_TRUE(screen.InputEmpty());
}

TEST_F(GlobalCopyTest, LogLinesInTableOrderThenAWaitWhenStoppingAfterEachFirm) {
    write2023Files();  // without kart01.cnf: passed over silently
    options.stopAfterEachFirm = true;
    app::WriteBanner();
    const std::string s = platform::cp852::ToUtf8(paths.root2023) + "#BIN023" + platform::kSeparator;
    screen.PushAction([&] {
        EXPECT_EQ(rows(3, 20),
                  "Globalna baza adresów\n"
                  "Kopiuje " + s + "baza_ad8.rek  2 pozycji ...\n"
                  "Konfigurator kpr_2023.ini\n"
                  "Kopiuję plik " + s + "kpr_2023.ini\n"
                  "Globale stale klawiszy F2..F10\n"
                  "Kopiuję " + s + "baza_ff.txt  12 bytów...\n"
                  "Konfigurator KPR_QZ.INI\n"
                  "Kopiuję " + s + "KPR_QZ.INI  7 bytów...\n"
                  "Globale ustawienia wynagrodzen\n"
                  "Kopiuję " + s + "2023_lp2.cc  10 bytów...\n"
                  "Ustawienia kolorów\n"
                  "Kopiuję " + s + "KOLORY.QZ  11 bytów...\n"
                  "Kopiuje " + s + "OPERATOR.REK  2 pozycji ...\n"
                  "Kopiuję " + s + "ZUS_PEL.INI  7 bytów...\n"
                  "Kopiuję " + s + "UMOWY.INI  9 bytów...\n"
                  "cdn - nacisnij dowolny klawisz.\n"
                  "\n"
                  "\n");
        EXPECT_EQ(tui::TextRegion(), (tui::Rect{3, 3, 77, 20}));
    });
    screen.PushIdle();  // the key comes once the wait is shown
    screen.PushKey(tui::kbEnter);
    app::RunGlobalCopy(paths, options);

    EXPECT_TRUE(screen.InputEmpty());
    EXPECT_FALSE(exists2024("kart01.cnf"));
    // The log is cleared below the banner and the text region is the whole screen again.
    EXPECT_EQ(screen.RowText(1).substr(0, 10), " PROGRAM D");
    EXPECT_EQ(rows(3, 25), std::string(23, '\n'));
    EXPECT_EQ(tui::TextRegion(), (tui::Rect{1, 1, 80, 25}));
}

TEST_F(GlobalCopyTest, OnlyTheSeparatorCreatesTheDirectoryAndCopiesNothing) {
    write2023Files();
    options.globalItems = global::Separator;
    app::RunGlobalCopy(paths, options);
    EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "KPR_2024/#BIN024"));
    EXPECT_TRUE(std::filesystem::is_empty(temp.path() / "KPR_2024/#BIN024")) << "the copy's mark is gone";
}

TEST_F(GlobalCopyTest, SalarySettingsPresentOnBothSidesAreAskedAboutTwice) {
    write2023("2023_lp2.cc", "placa 2023");
    write2023("2024_lp2.cc", "placa 2024");
    temp.writeFile("KPR_2024/#BIN024/2024_lp2.cc", "stara");
    options.globalItems = global::SalarySettings;
    screen.PushIdle();  // the key comes once the wait is shown
    screen.PushText("W");  // last year's file replaces the old one
    screen.PushIdle();
    screen.PushText("Z");  // and stays instead of the 2023 program's file for 2024
    app::RunGlobalCopy(paths, options);
    EXPECT_EQ(read2024("2024_lp2.cc"), "placa 2023");
    EXPECT_TRUE(screen.InputEmpty());
}

// A run cut short in the copy left its mark with the files it was writing: those are
// rewritten without the question, any other existing target is asked about; the
// mark goes at the end.
TEST_F(GlobalCopyTest, FilesNamedInALeftBehindMarkAreRewrittenUnasked) {
    write2023Files();
    temp.writeFile("KPR_2024/#BIN024/_qz_conv.tmp", "2024-01-15 09:00:00\r\nbaza_ad8.rek\r\nkolory.qz\r\nOPERA");
    temp.writeFile("KPR_2024/#BIN024/baza_ad8.rek", std::string(480, 'a'));
    temp.writeFile("KPR_2024/#BIN024/KOLORY.QZ", "01");
    temp.writeFile("KPR_2024/#BIN024/OPERATOR.REK", "stary");
    EXPECT_TRUE(app::GlobalCopyLeftUnfinished(paths));
    EXPECT_TRUE(screen.RowText(1).starts_with("Niedokończone kopiowanie danych globalnych - zostanie powtórzone"));
    EXPECT_EQ(screen.CellAt(1, 1).attribute, 0x0C) << "in the error colour";

    std::string question;
    screen.PushIdle();
    screen.PushAction([&] { question = rows(3, 20); });
    screen.PushText("z");
    app::RunGlobalCopy(paths, options);
    EXPECT_TRUE(screen.InputEmpty()) << "one question";
    // The row shows the question as far as the log's width: a long temporary
    // folder (a drive letter under Wine) cuts the name at the edge.
    const std::string asked = std::string("Stwierdzono obecność pliku "_cp) + paths.root2024 + "#BIN024" +
                              platform::kSeparator + "OPERATOR.REK";
    EXPECT_NE(question.find(platform::cp852::ToUtf8(asked.substr(0, tui::kLogColumns)) + "\n"),
              std::string::npos)
        << question;
    EXPECT_EQ(read2024("baza_ad8.rek"), std::string(2 * 480, 'a'));
    EXPECT_EQ(read2024("KOLORY.QZ"), "0123456789a");
    EXPECT_EQ(read2024("OPERATOR.REK"), "stary");
    EXPECT_FALSE(exists2024("_qz_conv.tmp"));
    EXPECT_FALSE(app::GlobalCopyLeftUnfinished(paths));
}

// Another workstation holds the mark (a second handle of this process stands in for
// it): the copy is left out, with one line.
TEST_F(GlobalCopyTest, AMarkHeldElsewhereLeavesTheCopyOut) {
    write2023Files();
    temp.writeFile("KPR_2024/#BIN024/_qz_conv.tmp", "2024-01-15 09:00:00\r\n");
    platform::FileHandle other;
    ASSERT_EQ(platform::OpenSharedFile(paths.root2024 + "#BIN024/_qz_conv.tmp",
                                 platform::mode::ReadWrite | platform::mode::DenyNone, other),
              0);
    ASSERT_EQ(platform::LockRange(other, 0, fileio::kWholeFileLength), 0);
    EXPECT_FALSE(app::GlobalCopyLeftUnfinished(paths));
    std::string log;
    screen.PushIdle();
    screen.PushAction([&] { log = rows(1, 3); });
    screen.PushKey(tui::kbEnter);
    app::RunGlobalCopy(paths, options);
    EXPECT_TRUE(screen.InputEmpty()) << "a key wait";
    EXPECT_EQ(log, "Dane globalne są właśnie kopiowane na innym stanowisku - tu pominięte\n\n\n");
    EXPECT_FALSE(exists2024("KOLORY.QZ"));
    EXPECT_EQ(read2024("_qz_conv.tmp"), "2024-01-15 09:00:00\r\n");
}

TEST_F(GlobalCopyTest, AnotherSourceDirectoryName) {
    temp.writeFile("KPR_2023/#BIN990/KOLORY.QZ", "z 990");
    options.globalSourceDir = "#BIN990";
    app::RunGlobalCopy(paths, options);
    EXPECT_EQ(read2024("KOLORY.QZ"), "z 990");
}

TEST_F(GlobalCopyTest, MissingSourceDirectoryEndsTheProgram) {
    std::string box;
    screen.PushIdle();  // the box discards keys typed ahead of it
    screen.PushAction([&] { box = rows(9, 10); });
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(exitCodeOf([&] { app::RunGlobalCopy(paths, options); }), 0);
    const std::string path = platform::cp852::ToUtf8(paths.root2023) + "#BIN023";
    EXPECT_EQ(box, boxLine("Brak katalogu zródłowego") + boxLine(path));
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "KPR_2024/#BIN024"));
}

TEST_F(GlobalCopyTest, TargetDirectoryThatCannotBeMadeEndsTheProgram) {
    write2023Files();
    paths.root2024 = temp.root() + "BRAK/";  // the 2024 root itself is missing
    std::string box;
    screen.PushIdle();
    screen.PushAction([&] { box = rows(9, 10); });
    screen.PushKey(tui::kbEnter);
    EXPECT_EQ(exitCodeOf([&] { app::RunGlobalCopy(paths, options); }), 0);
    const std::string path = platform::cp852::ToUtf8(paths.root2024) + "#BIN024";
    EXPECT_EQ(box, boxLine("Utworzenia katalogu") + boxLine(path));
}

TEST_F(GlobalCopyTest, StartRunsTheGlobalCopyOnlyWhenAskedFor) {
    write2023Files();
    // Without firm data in the scope, so that Start runs no firm loop.
    const struct {
        std::uint16_t scope;
        std::uint16_t items;
        bool copies;
    } cases[] = {
        {0xFFFD, 0x07DF, true},
        {convert::scope::GlobalData, global::ColourSettings, true},
        {0xFFFC, 0x07DF, false},
        {convert::scope::GlobalData, 0, false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(temp.path() / "KPR_2024/#BIN024");
        tui::ClearLog(true);
        options.copyScope = c.scope;
        options.globalItems = c.items;
        app::Run run;
        run.paths = paths;
        run.options = options;
        app::StartConversion(run);
        EXPECT_EQ(exists2024("KOLORY.QZ"), c.copies) << std::hex << c.scope << " " << c.items;
        EXPECT_EQ(std::filesystem::exists(temp.path() / "KPR_2024/#BIN024"), c.copies) << std::hex << c.scope;
        EXPECT_TRUE(screen.ScreenContains("Koniec pracy kopiera danych KPR_QZ na rok 2024"));
    }
}

}  // namespace
