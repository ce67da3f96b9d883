// The shared record file when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <cerrno>

#include "platform/posix/syscalls.h"
#include "tests/fileio/shared_file_fixture.h"

namespace {

// A suite of its own: the fixture class of this file is not the one of the tests
// every system runs.
class SharedFileFaults : public SharedFileTest {};

TEST_F(SharedFileFaults, AccessDeniedIsReported) {
    WriteRegistry({});
    FirmListFile file(Path());
    Answer("Zabronony !(?)", "O", 1);
    platform::posix::FailNthCall<&platform::posix::Syscalls::open> denied(1, EACCES);
    EXPECT_FALSE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    EXPECT_EQ(file.LastError(), platform::err::AccessDenied);
}

TEST_F(SharedFileFaults, LocksConflictBetweenObjectsAndUnlockWithNothingHeldMakesNoCall) {
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

TEST_F(SharedFileFaults, FailedAppendMovesNothing) {
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

TEST_F(SharedFileFaults, FailedMoveLosesNoRecord) {
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

}  // namespace
