// The registry file when the system calls beneath fail or are watched (the POSIX
// layer's syscall table replaces them on purpose).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/posix/syscalls.h"
#include "tests/fileio/registry_file_fixture.h"

namespace {

// A suite of its own: the fixture class of this file is not the one of the tests
// every system runs.
class RegistryFileFaults : public RegistryFileTest {};

TEST_F(RegistryFileFaults, AccessDeniedIsReported) {
    WriteRegistry({});
    RegistryFile file(Path());
    Answer("Zabronony !(?)", "O", 1);
    platform::posix::FailNthCall<&platform::posix::Syscalls::open> denied(1, EACCES);
    EXPECT_FALSE(file.Open(fileio::OpenOrCreate));
    EXPECT_EQ(file.LastError(), platform::err::AccessDenied);
}

bool OnRegistry(const char* path, struct stat*) { return std::string_view(path).ends_with("SPISFIRM.DAT"); }

// Access to the registry's entry refused until the user has answered.
bool gDenied = false;
int DeniedOnRegistry(const char* path, struct stat* info) {
    if (!gDenied || !OnRegistry(path, info)) return platform::posix::RealSyscalls().lstat(path, info);
    errno = EACCES;
    return -1;
}

TEST_F(RegistryFileFaults, OnlyASearchThatFindsNothingCreatesAndNeverOverAFile) {
    using platform::posix::FailNthCall;
    using platform::posix::Syscalls;
    const RegistryRecord a = Firm("A", "A", "");
    const struct {
        const char* what;
        std::function<std::shared_ptr<void>()> fault;
        const char* stored;  // the registry's name on disk
    } failures[] = {
        {"lstat EIO", [] { return std::make_shared<FailNthCall<&Syscalls::lstat>>(1, EIO, &OnRegistry); }, "SPISFIRM.DAT"},
        {"lstat ESTALE", [] { return std::make_shared<FailNthCall<&Syscalls::lstat>>(1, ESTALE, &OnRegistry); },
         "SPISFIRM.DAT"},
        {"stat EIO", [] { return std::make_shared<FailNthCall<&Syscalls::stat>>(1, EIO, &OnRegistry); }, "SPISFIRM.DAT"},
        // The name on disk in other letters is looked for in the directory's list.
        {"opendir EIO", [] { return std::make_shared<FailNthCall<&Syscalls::opendir>>(1, EIO); }, "spisfirm.dat"},
        {"lstat EACCES, \"Nie\" to the retry",
         [] { return std::make_shared<platform::posix::ScopedSyscall<&Syscalls::lstat>>(&DeniedOnRegistry); },
         "SPISFIRM.DAT"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        std::filesystem::remove_all(temp.path());
        temp.writeFile(failure.stored, qztest::RegistryBytes({a}));
        RegistryFile file(Path());
        gDenied = true;
        if (std::string_view(failure.what).ends_with("retry")) {
            // The access comes back just as the user gives up.
            screen.PushIdle();
            screen.PushAction([this] {
                EXPECT_TRUE(screen.ScreenContains("Ponowić próbę ?"));
                gDenied = false;
            });
            screen.PushText("N");
        }
        {
            const auto fault = failure.fault();
            EXPECT_FALSE(file.Open(fileio::OpenOrCreate));
        }
        EXPECT_NE(file.LastError(), platform::err::Ok);
        EXPECT_EQ(temp.readFile(failure.stored), qztest::RegistryBytes({a}));
    }
    // A search that finds nothing while the file is there (made by another
    // workstation a moment before the create): the file is opened, not emptied.
    WriteRegistry({a});
    RegistryFile file(Path());
    {
        FailNthCall<&Syscalls::stat> vanished(1, ENOENT, &OnRegistry);
        ASSERT_TRUE(file.Open(fileio::OpenOrCreate));
    }
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a}));
}

// The journal's flush, its directory's, or the registry's own (the third) fails: the
// registry is as it was, so the failure the user is told of is true.
TEST_F(RegistryFileFaults, FailedFlushOfAnInsertLeavesTheFileAsItWas) {
    const RegistryRecord a = Firm("A", "A", "");
    const RegistryRecord c = Firm("C", "C", "");
    const RegistryRecord b = Firm("B", "B", "");
    for (const int failing : {1, 2, 3}) {
        SCOPED_TRACE(failing);
        WriteRegistry({a, c});
        RegistryFile file(Path());
        ASSERT_TRUE(file.Open(fileio::OpenExisting));
        Answer("wstawienia do pliku", "T", 2);  // after the lock and the unlock
        platform::posix::FailNthCall<&platform::posix::Syscalls::fsync> fault(failing, EIO);
        EXPECT_FALSE(file.InsertSorted(b));
        EXPECT_GE(fault.CallCount(), failing);
        EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c}));
        EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
    }
}

// Over a network drive the locks of the journal's handle, just closed, may still
// answer a moment later: the first looks of the removal (through a handle of its
// own, opened for reading) at the journal's locks fail as busy.
int gBusyLooks = 0;
int BusyLookAtJournal(int fd, int command, struct flock* lock) {
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    if (command == F_OFD_GETLK && gBusyLooks > 0 && (fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY &&
        std::filesystem::read_symlink(link).string().ends_with(".insert-journal")) {
        --gBusyLooks;
        errno = EAGAIN;
        return -1;
    }
    return platform::posix::RealSyscalls().lock(fd, command, lock);
}

TEST_F(RegistryFileFaults, AJournalStillLookedAtAMomentAfterItsCloseGoesAllTheSame) {
    const RegistryRecord a = Firm("A", "A", ""), b = Firm("B", "B", "");
    WriteRegistry({a});
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting));
    gBusyLooks = 3;
    {
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::lock> busy(&BusyLookAtJournal);
        EXPECT_TRUE(file.InsertSorted(b));
    }
    EXPECT_EQ(gBusyLooks, 0);
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b}));
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
}

// Over a network drive the journal another workstation removed just before its
// release may still stand for a moment: the exclusive create says it exists (twice
// here), and the name leads to a file the server no longer has.
int gStaleCreates = 0, gStaleOpens = 0;
int StaleJournal(const char* path, int flags, mode_t mode) {
    const bool create = (flags & O_EXCL) != 0, look = (flags & O_CREAT) == 0;
    int& left = create ? gStaleCreates : gStaleOpens;
    if (std::string_view(path).ends_with(".insert-journal") && (create || look) && left > 0) {
        --left;
        errno = create ? EEXIST : ESTALE;
        return -1;
    }
    return platform::posix::RealSyscalls().open(path, flags, mode);
}

TEST_F(RegistryFileFaults, AJournalANetworkDriveStillShowsAMomentAfterItsRemovalIsLookedForAgain) {
    const RegistryRecord a = Firm("A", "A", ""), b = Firm("B", "B", "");
    WriteRegistry({a});
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting));
    gStaleCreates = 2;
    gStaleOpens = 1;
    {
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::open> stale(&StaleJournal);
        EXPECT_TRUE(file.InsertSorted(b));
    }
    EXPECT_EQ(gStaleCreates, 0);
    EXPECT_EQ(gStaleOpens, 0);
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b}));
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
}

// A network file system's client may remember a file a record shorter than its
// server has it, after another workstation's insert a moment ago: sizes asked that
// way and afresh both say so here.
int RememberedShort(int fd, struct stat* info) {
    const int result = platform::posix::RealSyscalls().fstat(fd, info);
    constexpr auto kRecord = static_cast<off_t>(fileio::kRegistryRecordSize);
    if (result == 0 && info->st_size >= kRecord) info->st_size -= kRecord;
    return result;
}
int AskedShort(int fd, int flags, unsigned mask, struct statx* info) {
    const int result = platform::posix::RealSyscalls().fstatx(fd, flags, mask, info);
    if (result == 0 && info->stx_size >= fileio::kRegistryRecordSize) info->stx_size -= fileio::kRegistryRecordSize;
    return result;
}

TEST_F(RegistryFileFaults, AnInsertReadsOnToTheTrueEndUnderTheLock) {
    const RegistryRecord a = Firm("A", "A", ""), b = Firm("B", "B", ""), c = Firm("C", "C", ""),
                         d = Firm("D", "D", "");
    WriteRegistry({a, c, d});
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting));
    {
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::fstat> remembered(&RememberedShort);
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::fstatx> asked(&AskedShort);
        ASSERT_TRUE(file.InsertSorted(b));
    }
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b, c, d}));
}

TEST_F(RegistryFileFaults, LocksConflictBetweenObjectsAndUnlockWithNothingHeldMakesNoCall) {
    WriteRegistry({Firm("A", "A", ""), Firm("B", "B", "")});
    RegistryFile first(Path());
    RegistryFile second(Path());
    ASSERT_TRUE(first.Open(fileio::OpenExisting));
    ASSERT_TRUE(second.Open(fileio::OpenExisting));
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::lock> counter(1000, EIO);
        EXPECT_TRUE(first.UnlockWhole());
        EXPECT_EQ(counter.CallCount(), 0);
    }
    ASSERT_TRUE(first.LockWhole(fileio::WaitNone));
    // WaitNone gives up after its attempts without pausing.
    const std::uint64_t before = clock.TotalSleptMs();
    EXPECT_FALSE(second.LockWhole(fileio::WaitNone));
    EXPECT_EQ(second.LastError(), platform::err::LockViolation);
    EXPECT_EQ(clock.TotalSleptMs(), before);
    // Releasing gives the range free.
    EXPECT_TRUE(first.UnlockWhole());
    EXPECT_TRUE(second.LockWhole(fileio::WaitNone));
    EXPECT_FALSE(first.LockWhole(fileio::WaitNone));
    // Close releases the whole-file lock.
    EXPECT_TRUE(second.Close());
    EXPECT_TRUE(first.LockWhole(fileio::WaitNone));
}

// Inserts firms with ever smaller keys, so that each moves every record up: the
// records are read with the window up once the file has more than twenty.
const platform::VirtualConsole* gScreen = nullptr;
bool gWindowShown = false;
ssize_t ReadWatchingTheScreen(int fd, void* buffer, size_t size) {
    gWindowShown = gWindowShown || gScreen->ScreenContains("Wstawianie...");
    return platform::posix::RealSyscalls().read(fd, buffer, size);
}

TEST_F(RegistryFileFaults, InsertsIntoMoreThanTwentyRecordsShowTheirProgress) {
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenOrCreate));
    gScreen = &screen;
    std::vector<RegistryRecord> expected;
    for (int k = 1; k <= 25; ++k) {
        const RegistryRecord firm = Firm("Firma " + std::string(1, static_cast<char>('z' - k)), "F", "");
        gWindowShown = false;
        {
            platform::posix::ScopedSyscall<&platform::posix::Syscalls::read> watched(&ReadWatchingTheScreen);
            ASSERT_TRUE(file.InsertSorted(firm));
        }
        EXPECT_EQ(gWindowShown, k > 20) << "insert " << k;
        expected.insert(expected.begin(), firm);
    }
    EXPECT_TRUE(ScreenBlank());
    EXPECT_EQ(Bytes(), qztest::RegistryBytes(expected));
}

TEST_F(RegistryFileFaults, FailedAppendMovesNothing) {
    const RegistryRecord a = Firm("A", "A", "");
    const RegistryRecord c = Firm("C", "C", "");
    WriteRegistry({a, c});
    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting));
    Answer("dopisania do  pliku", "T", 1);
    Answer("wstawienia do pliku", "T", 1);
    const RegistryRecord b = Firm("B", "B", "");
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::write> diskFull(2, ENOSPC);  // after the journal
        EXPECT_FALSE(file.InsertSorted(b));
    }
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c}));
    EXPECT_TRUE(LockFree());
}

TEST_F(RegistryFileFaults, FailedReadOrMoveLeavesTheFileAsItWas) {
    const RegistryRecord a = Firm("A", "A", "");
    const RegistryRecord b = Firm("B", "B", "");
    const RegistryRecord c = Firm("C", "C", "");
    const RegistryRecord d = Firm("D", "D", "");
    // The read of C (the third: the first finds the end) or the third write (moving C
    // up, after the journal and the append) fails: the file is put back.
    for (const bool failRead : {true, false}) {
        WriteRegistry({a, c, d});
        RegistryFile file(Path());
        ASSERT_TRUE(file.Open(fileio::OpenExisting));
        Answer(failRead ? "odczytu danych" : "zapisu danych", "T", 1);
        Answer("wstawienia do pliku", "T", 1);
        {
            platform::posix::FailNthCall<&platform::posix::Syscalls::read> readFault(failRead ? 3 : 0, EIO);
            platform::posix::FailNthCall<&platform::posix::Syscalls::write> writeFault(failRead ? 0 : 3, EIO);
            EXPECT_FALSE(file.InsertSorted(b));
        }
        EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c, d})) << (failRead ? "read" : "write");
        EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
    }
}

}  // namespace
