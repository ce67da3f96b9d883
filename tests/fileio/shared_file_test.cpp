// Shared record files: opening, records, locks, sorted insertion and the firm
// registry's order.
#include "fileio/shared_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fileio/file_mode.h"
#include "fileio/firm_list_file.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/posix/syscalls.h"
#include "tests/fileio/registry_helpers.h"
#include "tests/support/screen_test.h"
#include "tui/keys.h"

namespace {

using namespace platform::literals;
using fileio::FirmListFile;
using fileio::RegistryRecord;
using fileio::SharedFile;
using qztest::Firm;

class SharedFileTest : public qztest::ScreenTest {
protected:
    std::string Path() const { return temp.root() + "SPISFIRM.DAT"; }
    std::string Bytes() const { return temp.readFile("SPISFIRM.DAT"); }
    void WriteRegistry(const std::vector<RegistryRecord>& firms) const {
        temp.writeFile("SPISFIRM.DAT", qztest::RegistryBytes(firms));
    }
    bool ScreenBlank() const { return screen.screenText().find_first_not_of(" \n") == std::string::npos; }
    // Scripts the answer to the next box: pauses in the input, so that discarding
    // type-ahead stops before the answer (one for the box itself and one for each
    // lock loop that ends before it), a look at the box, and the key.
    void Answer(std::string_view utf8Text, std::string_view key, int lockLoopsBefore = 0) {
        for (int i = 0; i <= lockLoopsBefore; ++i) screen.pushIdle();
        screen.pushAction([this, text = std::string(utf8Text)] {
            EXPECT_TRUE(screen.screenContains(text)) << "no \"" << text << "\" on\n" << screen.screenText();
        });
        screen.pushText(key);
    }
};

TEST_F(SharedFileTest, InitCutsTheNameAndKeepsTheRecordSizeAboveZero) {
    const std::string name(100, 'A');
    SharedFile file(name, 0);
    EXPECT_EQ(file.Name(), std::string(79, 'A'));
    EXPECT_EQ(file.RecSize(), 1);
    EXPECT_EQ(file.State(), fileio::state::Closed);
    EXPECT_EQ(file.OpenModeByte(), 0x42);
    EXPECT_FALSE(file.LockOnOpen());
    EXPECT_FALSE(file.Locked());
    EXPECT_EQ(SharedFile("X", 103).RecSize(), 103);
}

TEST_F(SharedFileTest, OpenOrCreateCreatesAMissingFileSilently) {
    FirmListFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    EXPECT_EQ(file.State(), fileio::state::Created);
    EXPECT_TRUE(temp.exists("SPISFIRM.DAT"));
    EXPECT_TRUE(ScreenBlank());
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(file.State(), fileio::state::Closed);
    // The second time the file is there and is opened.
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    EXPECT_EQ(file.State(), fileio::state::Opened);
}

TEST_F(SharedFileTest, OpenExistingOfAMissingFileFailsWithoutAMessage) {
    FirmListFile file(Path());
    EXPECT_FALSE(file.Open(fileio::OpenExisting, fileio::WaitAsk));
    EXPECT_EQ(file.State(), fileio::state::Closed);
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT"));
    EXPECT_TRUE(ScreenBlank());
}

TEST_F(SharedFileTest, OpenOrAskCreateAsksTwoRowsLowerThanTheOtherBoxes) {
    FirmListFile file(Path());
    screen.pushIdle();
    screen.pushAction([this] {
        EXPECT_EQ(rows(10, 11),
                  "                   ┌───────────── Potwierdź ──────────────┐\n"
                  "                   │        Nie odnaleziono pliku:        │\n");
        EXPECT_NE(screen.rowText(12).find(Path()), std::string::npos);
        EXPECT_EQ(rows(13, 13), "                   │           Utworzyć nowy ?            │\n");
    });
    screen.pushText("N");
    EXPECT_FALSE(file.Open(fileio::OpenOrAskCreate, fileio::WaitNone));
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT"));

    screen.pushIdle();
    screen.pushText("T");
    ASSERT_TRUE(file.Open(fileio::OpenOrAskCreate, fileio::WaitNone));
    EXPECT_EQ(file.State(), fileio::state::Created);
    EXPECT_TRUE(temp.exists("SPISFIRM.DAT"));
}

TEST_F(SharedFileTest, AccessDeniedIsReported) {
    WriteRegistry({});
    FirmListFile file(Path());
    Answer("Zabronony !(?)", "O", 1);
    platform::posix::FailNthCall<&platform::posix::Syscalls::open> denied(1, EACCES);
    EXPECT_FALSE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    EXPECT_EQ(file.LastError(), platform::err::AccessDenied);
}

TEST_F(SharedFileTest, LongSharingViolationFailsAfterThirtyOneAttempts) {
    WriteRegistry({});
    platform::FileHandle exclusive;
    ASSERT_EQ(platform::openFile(Path(), platform::mode::ReadWrite | platform::mode::DenyAll, exclusive), 0);
    FirmListFile file(Path());
    const std::uint64_t before = clock.totalSleptMs();
    EXPECT_FALSE(file.Open(fileio::OpenExisting, fileio::WaitAsk));
    EXPECT_EQ(file.LastError(), platform::err::SharingViolation);
    EXPECT_EQ(clock.totalSleptMs() - before, 30u * fileio::RetryDelay);
    EXPECT_TRUE(ScreenBlank());
}

TEST_F(SharedFileTest, LocksConflictBetweenObjectsAndUnlockWithNothingHeldMakesNoCall) {
    WriteRegistry({Firm("A", "A", ""), Firm("B", "B", "")});
    FirmListFile first(Path());
    FirmListFile second(Path());
    ASSERT_TRUE(first.Open(fileio::OpenExisting, fileio::WaitNone));
    ASSERT_TRUE(second.Open(fileio::OpenExisting, fileio::WaitNone));
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::lock> counter(1000, EIO);
        EXPECT_TRUE(first.UnlockWhole());
        EXPECT_EQ(counter.callCount(), 0);
    }
    ASSERT_TRUE(first.LockRecord(1, fileio::WaitNone));
    EXPECT_TRUE(first.Locked());
    EXPECT_TRUE(second.LockRecord(0, fileio::WaitNone));
    EXPECT_FALSE(second.LockRecord(1, fileio::WaitNone));
    EXPECT_EQ(second.LastError(), platform::err::LockViolation);
    // WaitNone gives up after its attempts without pausing.
    const std::uint64_t before = clock.totalSleptMs();
    EXPECT_FALSE(second.LockWhole(fileio::WaitNone));
    EXPECT_EQ(clock.totalSleptMs(), before);
    // Releasing gives the range free; a record lock is released like the whole one.
    EXPECT_TRUE(first.UnlockWhole());
    EXPECT_FALSE(first.Locked());
    EXPECT_TRUE(second.UnlockWhole());
    EXPECT_TRUE(second.LockWhole(fileio::WaitNone));
    EXPECT_FALSE(first.LockRecord(1, fileio::WaitNone));
    // Close releases the whole-file lock.
    EXPECT_TRUE(second.Close());
    EXPECT_TRUE(first.LockWhole(fileio::WaitNone));
    // An object that locks on opening cannot open while the file is locked.
    second.SetLockOnOpen(true);
    EXPECT_FALSE(second.Open(fileio::OpenExisting, fileio::WaitNone));
    EXPECT_EQ(second.State(), fileio::state::Closed);
    EXPECT_TRUE(first.Close());
    ASSERT_TRUE(second.Open(fileio::OpenExisting, fileio::WaitNone));
    EXPECT_TRUE(second.Locked());
}

// A virtual clock that lets a test act at a given pause.
class ScriptedClock : public platform::VirtualClock {
public:
    std::function<void(int pause)> onPause;
    int pauses = 0;
    void sleepMs(std::uint32_t ms) override {
        VirtualClock::sleepMs(ms);
        if (onPause) onPause(++pauses);
    }
};

TEST_F(SharedFileTest, WaitQueueShowsItsWindowUntilTheLockIsFree) {
    WriteRegistry({});
    FirmListFile holder(Path());
    FirmListFile waiter(Path());
    ASSERT_TRUE(holder.Open(fileio::OpenExisting, fileio::WaitNone));
    ASSERT_TRUE(waiter.Open(fileio::OpenExisting, fileio::WaitNone));
    ASSERT_TRUE(holder.LockWhole(fileio::WaitNone));

    ScriptedClock scripted;
    platform::installClock(&scripted);
    bool windowShown = false;
    // The first series makes 29 pauses without a window; the window opens before
    // the second series and fills during it.
    scripted.onPause = [&](int pause) {
        if (pause == 29) {
            EXPECT_TRUE(ScreenBlank());
        } else if (pause == 35) {
            windowShown = screen.screenContains("Sieciowa KOLEJKA");
        } else if (pause == 40) {
            EXPECT_TRUE(holder.UnlockWhole());
        }
    };
    EXPECT_TRUE(waiter.LockWhole(fileio::WaitQueue));
    platform::installClock(&clock);
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(scripted.pauses, 40);
    EXPECT_TRUE(ScreenBlank());
}

TEST_F(SharedFileTest, InsertIntoAnEmptyFile) {
    FirmListFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    const RegistryRecord firm = Firm("Firma", "FIRMA", "opis");
    ASSERT_TRUE(file.InsertSorted(&firm));
    EXPECT_EQ(file.InsertPos(), 0);
    EXPECT_FALSE(file.Locked());
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({firm}));
}

TEST_F(SharedFileTest, EqualKeysGoAfterAndTheSmallestKeyGoesFirst) {
    const RegistryRecord b1 = Firm("Beta", "B", "x", 1);
    const RegistryRecord b2 = Firm("BETA", "b", "X", 2);  // equal key in other letters, other tail
    const RegistryRecord c = Firm("Ćma"_cp, "C", "");
    const RegistryRecord d = Firm("Delta", "D", "");
    const RegistryRecord a = Firm("Alfa", "A", "");
    WriteRegistry({b1, c, d});
    FirmListFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    ASSERT_TRUE(file.InsertSorted(&b2));
    EXPECT_EQ(file.InsertPos(), 1);
    ASSERT_TRUE(file.InsertSorted(&a));
    EXPECT_EQ(file.InsertPos(), 0);
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b1, b2, c, d}));
}

TEST_F(SharedFileTest, PolishOrderOfTheRegistryKey) {
    FirmListFile file(Path());
    const struct {
        RegistryRecord a, b;
        int expected;
    } cases[] = {
        {Firm("Łódź"_cp, "L", ""), Firm("Lublin", "L", ""), -1},  // Ł after L
        {Firm("Łódź"_cp, "L", ""), Firm("Mława"_cp, "M", ""), 1},
        {Firm("abc", "X", ""), Firm("ABC", "X", ""), 0},     // upper-cased first
        {Firm("ABC", "X", "1"), Firm("ABC", "X", "2"), 1},   // the description decides last
        {Firm("ABC", "X", "1"), Firm("ABC", "Y", "0"), 1},   // before the directory
        {Firm(std::string(31, 'A') + "Z", "X", ""), Firm(std::string(31, 'A'), "X", ""), 0},  // fitted to 31
    };
    for (const auto& c : cases)
        EXPECT_EQ(file.Compare(&c.a, &c.b), c.expected) << file.KeyOf(&c.a) << " | " << file.KeyOf(&c.b);
    EXPECT_EQ(file.KeyOf(&cases[0].a),
              std::string("Łódź"_cp) + std::string(27, ' ') + " L" + std::string(7, ' ') + " " + std::string(25, ' '));
}

// Inserts records with ever smaller keys, so that each moves every record up.
class WatchedRegistry : public FirmListFile {
public:
    WatchedRegistry(std::string_view name, const platform::VirtualConsole& screen)
        : FirmListFile(name), screen_(screen) {}
    std::int16_t Compare(const void* a, const void* b) const override {
        windowShown = windowShown || screen_.screenContains("Wstawianie...");
        return FirmListFile::Compare(a, b);
    }
    mutable bool windowShown = false;

private:
    const platform::VirtualConsole& screen_;
};

TEST_F(SharedFileTest, InsertsIntoMoreThanTwentyRecordsShowTheirProgress) {
    WatchedRegistry file(Path(), screen);
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    std::vector<RegistryRecord> expected;
    for (int k = 1; k <= 25; ++k) {
        const RegistryRecord firm = Firm("Firma " + std::string(1, static_cast<char>('z' - k)), "F", "");
        file.windowShown = false;
        ASSERT_TRUE(file.InsertSorted(&firm));
        EXPECT_EQ(file.InsertPos(), 0);
        EXPECT_EQ(file.windowShown, k > 20) << "insert " << k;
        expected.insert(expected.begin(), firm);
    }
    EXPECT_TRUE(ScreenBlank());
    EXPECT_EQ(Bytes(), qztest::RegistryBytes(expected));
}

TEST_F(SharedFileTest, FailedAppendMovesNothing) {
    const RegistryRecord a = Firm("A", "A", "");
    const RegistryRecord c = Firm("C", "C", "");
    WriteRegistry({a, c});
    FirmListFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting, fileio::WaitNone));
    Answer("dopisania do  pliku", "T", 1);
    Answer("wstawienia do pliku", "T", 1);
    const RegistryRecord b = Firm("B", "B", "");
    platform::posix::FailNthCall<&platform::posix::Syscalls::write> diskFull(1, ENOSPC);
    EXPECT_FALSE(file.InsertSorted(&b));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c}));
    EXPECT_FALSE(file.Locked());
}

TEST_F(SharedFileTest, FailedMoveLosesNoRecord) {
    const RegistryRecord a = Firm("A", "A", "");
    const RegistryRecord b = Firm("B", "B", "");
    const RegistryRecord c = Firm("C", "C", "");
    const RegistryRecord d = Firm("D", "D", "");
    // The second read (of C) or the third write (moving C up) fails: B takes the
    // free slot above C, out of order but with every record once.
    for (const bool failRead : {true, false}) {
        WriteRegistry({a, c, d});
        FirmListFile file(Path());
        ASSERT_TRUE(file.Open(fileio::OpenExisting, fileio::WaitNone));
        Answer(failRead ? "odczytu danych" : "zapisu danych", "T", 1);
        Answer("wstawienia do pliku", "T", 1);
        {
            platform::posix::FailNthCall<&platform::posix::Syscalls::read> readFault(failRead ? 2 : 0, EIO);
            platform::posix::FailNthCall<&platform::posix::Syscalls::write> writeFault(failRead ? 0 : 3, EIO);
            EXPECT_FALSE(file.InsertSorted(&b));
        }
        EXPECT_EQ(file.InsertPos(), 2);
        EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c, b, d})) << (failRead ? "read" : "write");
    }
}

TEST_F(SharedFileTest, SeriousIOErrorEndsTheProgramUnlessContinued) {
    Answer("Czy KONTYNUOWAĆ PRACĘ ?", "T");
    EXPECT_EQ(exitCodeOf([] { fileio::SeriousIOError("zapisu danych"); }), -1);
    Answer("Poważny BŁĄD I/O.", "N");
    EXPECT_EQ(exitCodeOf([] { fileio::SeriousIOError("zapisu danych"); }), 255);
    screen.pushIdle();
    screen.pushKey(tui::kbEsc);
    EXPECT_EQ(exitCodeOf([] { fileio::SeriousIOError("zapisu danych"); }), 255);
}

TEST_F(SharedFileTest, FileModeIsOneSavedValue) {
    fileio::RestoreFileMode();
    EXPECT_EQ(fileio::FileMode(), platform::mode::ReadWrite);
    fileio::SetFileMode(platform::mode::ReadOnly | platform::mode::DenyAll);
    EXPECT_EQ(fileio::FileMode(), 0x10);
    fileio::SetFileMode(platform::mode::WriteOnly);
    fileio::RestoreFileMode();
    EXPECT_EQ(fileio::FileMode(), 0x10);
    fileio::RestoreFileMode();
    EXPECT_EQ(fileio::FileMode(), 0x10);  // not a stack
    fileio::SetFileMode(platform::mode::ReadWrite);
}

}  // namespace
