// The registry file: opening, the whole-file lock, sorted insertion and the key
// order.
#include "tests/fileio/registry_file_fixture.h"

#include <filesystem>

#include "fileio/insert_journal.h"

namespace {

TEST_F(RegistryFileTest, TheWholeNameIsOpenedWhateverItsLength) {
    // Only the name shown is cut: the file is created and reached under its own.
    const std::string directory(80, 'K');
    std::filesystem::create_directories(temp.path() / directory);
    const std::string path = temp.root() + directory + platform::kSeparator + "SPISFIRM.DAT";
    const RegistryRecord firm = Firm("Firma", "FIRMA", "");
    {
        RegistryFile file(path);
        EXPECT_EQ(file.FileName(), path);
        ASSERT_TRUE(file.Open(fileio::OpenOrCreate));
        ASSERT_TRUE(file.InsertSorted(firm));
    }
    EXPECT_EQ(temp.readFile(directory + "/SPISFIRM.DAT"), qztest::RegistryBytes({firm}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()), {}), 1) << "nothing beside it";
}

TEST_F(RegistryFileTest, OpenOrCreateCreatesAMissingFileSilently) {
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate));
    EXPECT_TRUE(temp.exists("SPISFIRM.DAT"));
    EXPECT_EQ(Bytes(), "");
    EXPECT_TRUE(ScreenBlank());
    EXPECT_TRUE(file.Close());
    // The second time the file is there and is opened, not emptied.
    WriteRegistry({Firm("A", "A", "")});
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({Firm("A", "A", "")}));
}

// A directory of the name is no file: none is found, none can be made, and the
// caller tells the user what failed.
TEST_F(RegistryFileTest, OpenOrCreateOverADirectoryFailsWithoutAMessage) {
    std::filesystem::create_directory(temp.path() / "SPISFIRM.DAT");
    RegistryFile file(Path());
    EXPECT_FALSE(file.Open(fileio::OpenOrCreate));
    EXPECT_EQ(file.LastError(), platform::err::AccessDenied);
    EXPECT_TRUE(ScreenBlank());
}

TEST_F(RegistryFileTest, OpenExistingOfAMissingFileFailsWithoutAMessage) {
    RegistryFile file(Path());
    EXPECT_FALSE(file.Open(fileio::OpenExisting));
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT"));
    EXPECT_TRUE(ScreenBlank());
}

TEST_F(RegistryFileTest, LongSharingViolationFailsAfterThirtyOneAttempts) {
    WriteRegistry({});
    platform::FileHandle exclusive;
    ASSERT_EQ(platform::OpenSharedFile(Path(), platform::mode::ReadWrite | platform::mode::DenyAll, exclusive), 0);
    RegistryFile file(Path());
    const std::uint64_t before = clock.TotalSleptMs();
    EXPECT_FALSE(file.Open(fileio::OpenExisting));
    EXPECT_EQ(file.LastError(), platform::err::SharingViolation);
    EXPECT_EQ(clock.TotalSleptMs() - before, 30u * fileio::RetryDelay);
    EXPECT_TRUE(ScreenBlank());
}

// A virtual clock that lets a test act at a given pause.
class ScriptedClock : public platform::VirtualClock {
public:
    std::function<void(int pause)> onPause;
    int pauses = 0;
    void SleepMs(std::uint32_t ms) override {
        VirtualClock::SleepMs(ms);
        if (onPause) onPause(++pauses);
    }
};

// The registry's whole-file lock held by one handle while a second waits for it,
// its pauses on a scripted clock.
class RegistryFileLockWait : public RegistryFileTest {
protected:
    void SetUp() override {
        WriteRegistry({});
        ASSERT_TRUE(holder.Open(fileio::OpenExisting));
        ASSERT_TRUE(waiter.Open(fileio::OpenExisting));
        ASSERT_TRUE(holder.LockWhole(fileio::WaitNone));
        scripted.beforePause = clock.beforePause;
        platform::InstallClock(&scripted);
    }
    void TearDown() override { platform::InstallClock(&clock); }

    RegistryFile holder{Path()};
    RegistryFile waiter{Path()};
    ScriptedClock scripted;
};

TEST_F(RegistryFileLockWait, WaitQueueShowsItsWindowUntilTheLockIsFree) {
    bool windowShown = false;
    // The first series makes 29 pauses without a window; the window opens before
    // the second series and fills during it, on the terminal too.
    scripted.onPause = [&](int pause) {
        if (pause == 29) {
            EXPECT_TRUE(ScreenBlank());
        } else if (pause == 35) {
            windowShown = screen.ShownText().find("Sieciowa KOLEJKA") != std::string::npos &&
                          screen.ShownText().find("█") != std::string::npos;
        } else if (pause == 40) {
            EXPECT_TRUE(holder.UnlockWhole());
        }
    };
    EXPECT_TRUE(waiter.LockWhole(fileio::WaitQueue));
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(scripted.pauses, 40);
    EXPECT_TRUE(ScreenBlank());
}

TEST_F(RegistryFileLockWait, AfterTakTheQuestionLeavesTheTerminalWhileTheAttemptsRun) {
    // The question stays a moment (the terminal shows it), then "Tak".
    screen.PushIdle();
    Answer("DOSTĘP BLOKOWANY SIECIOWO", "T");
    std::string shownWhileTrying;
    // 29 pauses before the question, one while it is up, then the second series.
    scripted.onPause = [&](int pause) {
        if (pause == 35) shownWhileTrying = screen.ShownText();
        if (pause == 40) {
            EXPECT_TRUE(holder.UnlockWhole());
        }
    };
    EXPECT_TRUE(waiter.LockWhole(fileio::WaitAsk));
    EXPECT_EQ(shownWhileTrying.find("DOSTĘP"), std::string::npos) << shownWhileTrying;
}

TEST_F(RegistryFileTest, InsertIntoAnEmptyFile) {
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate));
    const RegistryRecord firm = Firm("Firma", "FIRMA", "opis");
    ASSERT_TRUE(file.InsertSorted(firm));
    EXPECT_TRUE(LockFree());
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({firm}));
}

TEST_F(RegistryFileTest, EqualKeysGoAfterAndTheSmallestKeyGoesFirst) {
    const RegistryRecord b1 = Firm("Beta", "B", "x", 1);
    const RegistryRecord b2 = Firm("BETA", "b", "X", 2);  // equal key in other letters, other tail
    const RegistryRecord c = Firm("Ćma"_cp, "C", "");
    const RegistryRecord d = Firm("Delta", "D", "");
    const RegistryRecord a = Firm("Alfa", "A", "");
    WriteRegistry({b1, c, d});
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate));
    ASSERT_TRUE(file.InsertSorted(b2));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({b1, b2, c, d}));
    ASSERT_TRUE(file.InsertSorted(a));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b1, b2, c, d}));
    // Several at once, under one journal, stand as if inserted one after the other:
    // an equal key after the one given before it, between the old records and after
    // the last one.
    const RegistryRecord b3 = Firm("beta", "B", "x", 3);
    const RegistryRecord e = Firm("Echo", "E", "");
    const RegistryRecord aa = Firm("Alfa", "A", "", 4);
    const RegistryRecord several[] = {b3, e, aa, Firm("BETA", "B", "X", 5)};
    ASSERT_TRUE(file.InsertSorted(std::span<const RegistryRecord>(several)));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, aa, b1, b2, b3, several[3], c, d, e}));
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
}

TEST(RegistryFileOrder, PolishOrderOfTheRegistryKey) {
    using std::strong_ordering;
    const struct {
        RegistryRecord a, b;
        strong_ordering expected;
    } cases[] = {
        {Firm("Łódź"_cp, "L", ""), Firm("Lublin", "L", ""), strong_ordering::greater},  // Ł after L
        {Firm("Łódź"_cp, "L", ""), Firm("Mława"_cp, "M", ""), strong_ordering::less},
        {Firm("abc", "X", ""), Firm("ABC", "X", ""), strong_ordering::equal},  // upper-cased first
        {Firm("ABC", "X", "1"), Firm("ABC", "X", "2"), strong_ordering::less},  // the description decides last
        {Firm("ABC", "X", "1"), Firm("ABC", "Y", "0"), strong_ordering::less},  // before the directory
        {Firm(std::string(31, 'A') + "Z", "X", ""), Firm(std::string(31, 'A'), "X", ""),
         strong_ordering::equal},  // fitted to 31
    };
    for (const auto& c : cases)
        EXPECT_TRUE(RegistryFile::Compare(c.a, c.b) == c.expected)
            << RegistryFile::KeyOf(c.a) << " | " << RegistryFile::KeyOf(c.b);
    EXPECT_EQ(RegistryFile::KeyOf(cases[0].a),
              std::string("Łódź"_cp) + std::string(27, ' ') + " L" + std::string(7, ' ') + " " + std::string(25, ' '));
}

// What a kill or a power cut in the middle of inserting B into A C D may leave beside
// the journal the insert made durable first: whoever takes the lock next puts the
// file back, and the insert then goes in whole. A journal cut short itself was made
// before the file was touched, and is discarded.
TEST_F(RegistryFileTest, AnInsertCutShortIsRolledBackByTheNextLock) {
    const RegistryRecord a = Firm("A", "A", ""), b = Firm("B", "B", ""), c = Firm("C", "C", ""),
                         d = Firm("D", "D", "");
    const std::string old = qztest::RegistryBytes({a, c, d});
    const std::string journal = "SPISFIRM.DAT.insert-journal";
    const struct {
        const char* what;
        std::string registry;
        std::size_t journalCut;  // bytes missing at the journal's end
    } states[] = {
        {"old size with new contents", qztest::RegistryBytes({a, b, c}), 0},
        {"new size with old contents", old + std::string(fileio::kRegistryRecordSize, '\0'), 0},
        {"appended out of key order", qztest::RegistryBytes({a, c, d, b}), 0},
        {"appended", qztest::RegistryBytes({a, c, d, d}), 0},
        {"between the moves", qztest::RegistryBytes({a, c, c, d}), 0},
        {"after the moves", qztest::RegistryBytes({a, b, c, d}), 0},
        {"journal cut short", old, 1},
        {"journal of its header only", old, fileio::kRegistryRecordSize * 2 + 4},
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.what);
        temp.writeFile("SPISFIRM.DAT", state.registry);
        platform::FileHandle made;
        ASSERT_EQ(fileio::CreateInsertJournal(Path(), made), 0);
        ASSERT_EQ(fileio::WriteInsertJournal(Path(), made, {old.size(), fileio::kRegistryRecordSize,
                                                            old.substr(fileio::kRegistryRecordSize)}),
                  0);
        platform::CloseFile(made);
        const std::string written = temp.readFile(journal);
        temp.writeFile(journal, written.substr(0, written.size() - state.journalCut));
        RegistryFile file(Path());
        ASSERT_TRUE(file.Open(fileio::OpenExisting));
        ASSERT_TRUE(file.InsertSorted(b));
        EXPECT_EQ(file.RolledBack(), state.journalCut == 0);
        EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b, c, d}));
        EXPECT_FALSE(temp.exists(journal));
    }
}

// A length that is not a whole number of records: named in one box, and nothing is
// inserted into the file for the rest of the run.
TEST_F(RegistryFileTest, ADamagedFileIsRefusedOnce) {
    const std::string damaged = qztest::RegistryBytes({Firm("A", "A", ""), Firm("C", "C", "")}) + "xyz";
    temp.writeFile("SPISFIRM.DAT", damaged);
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting));
    Answer("długość 209", "O", 1);
    const RegistryRecord b = Firm("B", "B", "");
    EXPECT_FALSE(file.InsertSorted(b));
    EXPECT_TRUE(file.Refused());
    EXPECT_FALSE(file.InsertSorted(b)) << "no second box";
    EXPECT_EQ(Bytes(), damaged);
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
}

TEST_F(RegistryFileTest, SeriousIOErrorEndsTheProgramUnlessContinued) {
    Answer("Czy KONTYNUOWAĆ PRACĘ ?", "T");
    EXPECT_EQ(exitCodeOf([] { fileio::SeriousIOError("zapisu danych"); }), -1);
    Answer("Poważny BŁĄD I/O.", "N");
    EXPECT_EQ(exitCodeOf([] { fileio::SeriousIOError("zapisu danych"); }), 255);
    screen.PushIdle();
    screen.PushKey(tui::kbEsc);
    EXPECT_EQ(exitCodeOf([] { fileio::SeriousIOError("zapisu danych"); }), 255);
}

}  // namespace
