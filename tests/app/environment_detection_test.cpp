// The environment detection: which firms of the 2023 registry it lists, what is logged about the others, and the registries that stop the program.
#include "app/environment_detection.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "convert/firm/interrupted_work.h"
#include "fileio/insert_journal.h"
#include "fileio/shared_locks.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tests/fileio/registry_helpers.h"
#include "tests/support/screen_test.h"
#include "tui/keys.h"

namespace {

using qztest::Firm;

class EnvironmentDetectionTest : public qztest::ScreenTest {
protected:
    EnvironmentDetectionTest() {
        paths.root2023 = temp.root() + "2023" + platform::kSeparator;
        paths.root2024 = temp.root() + "2024" + platform::kSeparator;
        temp.writeFile("2024/.keep", "");
        tui::ClearLog(true);
        screen.SetOnDry([this] {
            logAtWait = rows(3, 23);
            ++keyWaits;
            screen.PushKey(tui::kbEnter);
        });
    }

    void registry(const std::vector<fileio::RegistryRecord>& firms, std::string_view tail = {}) {
        temp.writeFile("2023/SPISFIRM.DAT", qztest::RegistryBytes(firms) + std::string(tail));
    }
    void directory(const std::string& relative) const { temp.writeFile(relative + "/.keep", ""); }
    // The directories of the detected firms, in their order.
    std::vector<std::string> detected() {
        std::vector<std::string> directories;
        firms = app::DetectEnvironment(paths, claims);
        for (const app::FirmRecord& firm : firms) directories.push_back(firm.registry.Directory());
        return directories;
    }
    bool logged(std::string_view utf8) const { return screen.ScreenContains(utf8); }

    app::RunPaths paths;
    convert::ClaimedDirectories claims;  // what the detection claimed for the run
    std::vector<app::FirmRecord> firms;  // of the last detected()
    int keyWaits = 0;
    std::string logAtWait;
};

TEST_F(EnvironmentDetectionTest, ConvertedFirmsAreLeftOutAndTheOthersNumberedWithoutGaps) {
    const fileio::RegistryRecord first = Firm("Alfa", "A", "opis", 'x');
    registry({first, Firm("Beta", "B", ""), Firm("Gamma", "C", "")}, "partial record");
    temp.writeFile("2024/SPISFIRM.DAT", qztest::RegistryBytes({Firm("Beta", "B", "")}));
    for (const char* name : {"2023/A", "2023/B", "2023/C", "2024/B"}) directory(name);

    EXPECT_EQ(detected(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(firms[0].registry.bytes, first.bytes) << "all 103 bytes as read";
    EXPECT_TRUE(firms[0].selected && firms[1].selected);
    EXPECT_TRUE(logged("ROZPOZNANIE ŚRODOWISKA PRACY KPR 2023"));
    EXPECT_TRUE(logged("Odnaleziono katalog docelowy " + platform::cp852::ToUtf8(paths.root2024) +
                       "B dla firmy Beta"));
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(EnvironmentDetectionTest, TwoFirmsOfOneDirectoryAreBothTaken) {
    registry({Firm("Alfa", "A", ""), Firm("Alfa bis", "A", "")});
    directory("2023/A");
    EXPECT_EQ(detected(), (std::vector<std::string>{"A", "A"}));
}

TEST_F(EnvironmentDetectionTest, AtMost2048FirmsAreTaken) {
    // One directory for all: every firm is convertible until the conversion starts.
    std::vector<fileio::RegistryRecord> records;
    for (int i = 0; i < 2050; ++i) records.push_back(Firm("F" + std::to_string(i), "A", ""));
    registry(records);
    directory("2023/A");
    EXPECT_EQ(detected().size(), 2048u);
    EXPECT_EQ(firms.back().registry.Name(), "F2047");
    EXPECT_TRUE(logged("Przekroczona maksymalna ilość firm 2048"));
}

TEST_F(EnvironmentDetectionTest, AMissingOrUnusableDirectoryAsksForTheRegistryToBeRepaired) {
    registry({Firm("Alfa", "A", ""), Firm("Beta", "B", ""), Firm("Gamma", "..", ""), Firm("Delta", "", ""),
              Firm("Eta", "X/Y", ""), Firm("Theta", "X\\Y", ""), Firm("Jota", "C:", ""), Firm("Kappa", "*", ""),
              Firm("Lambda", "A?", "")});
    directory("2023/A");
    EXPECT_EQ(detected(), std::vector<std::string>{"A"});
    EXPECT_EQ(keyWaits, 1);
    EXPECT_NE(logAtWait.find("Brak katalogu zródłowego    " + platform::cp852::ToUtf8(paths.root2023) +
                             "B dla firmy Beta\n"),
              std::string::npos);
    for (const char* line : {"Niepoprawna nazwa katalogu firmy .. dla firmy Gamma",
                             "Niepoprawna nazwa katalogu firmy  dla firmy Delta",
                             "Niepoprawna nazwa katalogu firmy X/Y dla firmy Eta",
                             "Niepoprawna nazwa katalogu firmy X\\Y dla firmy Theta",
                             "Niepoprawna nazwa katalogu firmy C: dla firmy Jota",
                             "Niepoprawna nazwa katalogu firmy * dla firmy Kappa",
                             "Niepoprawna nazwa katalogu firmy A? dla firmy Lambda"})
        EXPECT_NE(logAtWait.find(line), std::string::npos) << line;
    EXPECT_NE(logAtWait.find("Napraw plik SPISFIRM.DAT !\n"), std::string::npos);
}

TEST_F(EnvironmentDetectionTest, NoFirmTakenIsToldWithAKeyWait) {
    registry({Firm("Alfa", "A", "")});
    directory("2023/A");
    directory("2024/A");
    EXPECT_TRUE(detected().empty());
    EXPECT_EQ(keyWaits, 1);
    EXPECT_NE(logAtWait.find("Zerowa ilość odczytanych firm\n"), std::string::npos);
}

TEST_F(EnvironmentDetectionTest, ARegistryWithoutARecordEndsTheProgram) {
    const struct {
        const char* what;
        bool exists;
        std::size_t size;
        const char* line;
    } cases[] = {
        {"missing", false, 0, "Błąd otwarcia/dostępu do pliku "},
        {"empty", true, 0, "Zerowa długość pliku SPISFIRM.DAT\n"},
        {"shorter than a record", true, 102, "Zerowa długość pliku SPISFIRM.DAT\n"},
    };
    for (const auto& c : cases) {
        if (c.exists) temp.writeFile("2023/SPISFIRM.DAT", std::string(c.size, 'x'));
        keyWaits = 0;
        EXPECT_EQ(exitCodeOf([&] { app::DetectEnvironment(paths, claims); }), 0) << c.what;
        EXPECT_EQ(keyWaits, 1) << c.what;
        EXPECT_NE(logAtWait.find(c.line), std::string::npos) << c.what << "\n" << logAtWait;
    }
}

// Another workstation's handle stands in as a second handle of this process: sharing
// modes and locks belong to the handle, whichever process holds it.
TEST_F(EnvironmentDetectionTest, ARegistryThatAnotherProgramHoldsOpenIsNotRead) {
    registry({Firm("Alfa", "A", "")});
    directory("2023/A");
    const std::string path = paths.root2023 + "SPISFIRM.DAT";
    platform::FileHandle holder;
    ASSERT_EQ(platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, holder), 0);

    EXPECT_EQ(exitCodeOf([&] { app::DetectEnvironment(paths, claims); }), 0);
    EXPECT_TRUE(logged("Błąd otwarcia/dostępu do pliku " + platform::cp852::ToUtf8(path)));
    EXPECT_NE(logAtWait.find("Brak dostępu do pliku"), std::string::npos) << "the error box";
}

// A firm whose 2024 directory exists, by its in-progress mark (any letter case) and
// the 2024 registry (directories matched ignoring case); an empty directory without
// either was left by a run cut short before the mark. Another workstation's
// converter is stood in for by a second handle of this process holding the mark's lock.
TEST_F(EnvironmentDetectionTest, AnExistingDirectoryIsJudgedByItsMarkAndThe2024Registry) {
    registry({Firm("A", "A", ""), Firm("B", "B", ""), Firm("C", "C", ""), Firm("D", "D", ""), Firm("E", "E", ""),
              Firm("F", "F", "")});
    temp.writeFile("2024/SPISFIRM.DAT", qztest::RegistryBytes({Firm("C", "c", ""), Firm("E", "e", "")}));
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        directory("2023/" + std::string(name));
        temp.writeFile("2024/" + std::string(name) + "/DANE.REK", "dane");
    }
    directory("2023/F");
    std::filesystem::create_directory(temp.path() / "2024" / "F");
    for (const char* mark : {"2024/A/_qz_conv.tmp", "2024/B/_QZ_CONV.TMP", "2024/C/_qz_conv.tmp"})
        temp.writeFile(mark, "2024-01-15 09:00:00\r\n");
    platform::FileHandle converting;
    ASSERT_EQ(platform::OpenSharedFile(paths.root2024 + "A" + platform::kSeparator + "_qz_conv.tmp",
                                 platform::mode::ReadWrite | platform::mode::DenyNone, converting),
              0);
    ASSERT_EQ(platform::LockRange(converting, 0, fileio::kWholeFileLength), 0);
    // A link in the left-behind directory to a directory outside it (where the system
    // lets a test make one): the link goes, what it points at stays.
    temp.writeFile("poza/ZOSTAJE.REK", "poza");
    std::error_code noLink;
    std::filesystem::create_directory_symlink(temp.path() / "poza", temp.path() / "2024" / "B" / "LINK", noLink);

    EXPECT_EQ(detected(), (std::vector<std::string>{"B", "F"}));
    const std::string root = platform::cp852::ToUtf8(paths.root2024);
    EXPECT_TRUE(logged("Firma A jest właśnie konwertowana na innym stanowisku"));
    EXPECT_TRUE(logged("Niedokończona konwersja firmy B - zostanie powtórzona"));
    EXPECT_TRUE(logged("Odnaleziono katalog docelowy " + root + "C dla firmy C"));
    // The row ends at column 80, which a long temporary root pushes the registry's name past.
    EXPECT_TRUE(logged("Katalog " + root + "D istnieje, ale firmy D brak w "));
    EXPECT_TRUE(logged("Odnaleziono katalog docelowy " + root + "E dla firmy E"));
    EXPECT_TRUE(logged("Pusty katalog docelowy " + root + "F dla"));
    int errorLines = 0;
    for (int row = 3; row <= 23; ++row) {
        const std::string text = screen.RowText(row);
        const bool error = text.starts_with("Firma") || text.starts_with("Niedoko") || text.starts_with("Katalog");
        errorLines += error;
        if (error || text.starts_with("Odnaleziono") || text.starts_with("Pusty")) {
            EXPECT_EQ(screen.CellAt(1, row).attribute, error ? 0x0C : 0x07) << text;
        }
    }
    EXPECT_EQ(errorLines, 3);
    EXPECT_EQ(keyWaits, 0);

    // Busy, not this program's or registered: untouched; a registered firm's mark goes.
    for (const char* kept : {"2024/A/_qz_conv.tmp", "2024/A/DANE.REK", "2024/C/DANE.REK", "2024/D/DANE.REK"})
        EXPECT_TRUE(temp.exists(kept)) << kept;
    EXPECT_FALSE(temp.exists("2024/C/_qz_conv.tmp"));
    // Left behind: emptied but for its mark, which this run holds until the firm's turn.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(temp.path() / "2024" / "B"))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"_QZ_CONV.TMP"});
    EXPECT_EQ(temp.readFile("poza/ZOSTAJE.REK"), "poza");
    EXPECT_TRUE(claims.MadeOrClaimed(paths.root2024 + "B"));
    EXPECT_TRUE(claims.MadeOrClaimed(paths.root2024 + "F"));
    EXPECT_FALSE(claims.MadeOrClaimed(paths.root2024 + "D"));
    platform::FileHandle other;
    ASSERT_EQ(platform::OpenSharedFile(paths.root2024 + "B" + platform::kSeparator + "_qz_conv.tmp",
                                 platform::mode::ReadWrite | platform::mode::DenyNone, other),
              0);
    EXPECT_EQ(platform::LockRange(other, 0, fileio::kWholeFileLength), platform::err::LockViolation);
    claims = convert::ClaimedDirectories{};
    EXPECT_EQ(platform::LockRange(other, 0, fileio::kWholeFileLength), 0) << "given back for the next run";
}

// A 2024 registry that cannot be read decides nothing: the firm of an existing 2024
// directory, with or without a mark left behind, is passed over with a line saying
// why, and nothing in its directory is touched.
TEST_F(EnvironmentDetectionTest, AnUnreadable2024RegistryLeavesExistingDirectoriesAlone) {
    registry({Firm("A", "A", ""), Firm("B", "B", ""), Firm("C", "C", "")});
    for (const char* name : {"2023/A", "2023/B", "2023/C"}) directory(name);
    temp.writeFile("2024/A/DANE.REK", "dane");
    temp.writeFile("2024/C/DANE.REK", "dane");
    temp.writeFile("2024/C/_qz_conv.tmp", "2024-01-15 09:00:00\r\n");
    temp.writeFile("2024/SPISFIRM.DAT", std::string(50, 'x'));  // a record cut short

    EXPECT_EQ(detected(), std::vector<std::string>{"B"});
    const std::string root = platform::cp852::ToUtf8(paths.root2024);
    // The row ends at column 80, which a long temporary root pushes the firm's name past.
    EXPECT_TRUE(logged("Nie odczytano rejestru firm 2024, pominięto " + root + "A"));
    EXPECT_TRUE(logged("Nie odczytano rejestru firm 2024, pominięto " + root + "C"));
    EXPECT_FALSE(logged("Odnaleziono katalog docelowy"));
    for (const char* kept : {"2024/A/DANE.REK", "2024/C/DANE.REK", "2024/C/_qz_conv.tmp"})
        EXPECT_TRUE(temp.exists(kept)) << kept;
    EXPECT_FALSE(claims.MadeOrClaimed(paths.root2024 + "C"));
}

// A 2024 registry left by an insert cut short, beside its journal: the detection's
// read rolls it back first, so the firm whose record was half in is redone.
TEST_F(EnvironmentDetectionTest, AnInsertCutShortIsRolledBackBeforeThe2024RegistryIsRead) {
    registry({Firm("A", "A", ""), Firm("B", "B", "")});
    for (const char* name : {"2023/A", "2023/B"}) directory(name);
    temp.writeFile("2024/B/DANE.REK", "dane");
    temp.writeFile("2024/B/_qz_conv.tmp", "2024-01-15 09:00:00\r\n");
    temp.writeFile("2024/SPISFIRM.DAT", qztest::RegistryBytes({Firm("B", "B", "")}));
    const std::string registry2024 = paths.root2024 + "SPISFIRM.DAT";
    platform::FileHandle journal;  // the registry was empty before
    ASSERT_EQ(fileio::CreateInsertJournal(registry2024, journal), 0);
    ASSERT_EQ(fileio::WriteInsertJournal(registry2024, journal, {}), 0);
    platform::CloseFile(journal);

    EXPECT_EQ(detected(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(logged("Cofnięto przerwany wpis do pliku "));
    EXPECT_TRUE(logged("Niedokończona konwersja firmy B - zostanie powtórzona"));
    EXPECT_EQ(temp.readFile("2024/SPISFIRM.DAT"), "");
    EXPECT_FALSE(temp.exists("2024/SPISFIRM.DAT.insert-journal"));
}

}  // namespace
