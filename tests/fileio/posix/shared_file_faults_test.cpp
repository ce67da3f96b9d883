// The shared record file when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "fileio/temp_files.h"

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

bool OnRegistry(const char* path, struct stat*) { return std::string_view(path).ends_with("SPISFIRM.DAT"); }

// Access to the registry's entry refused until the user has answered.
bool gDenied = false;
int DeniedOnRegistry(const char* path, struct stat* info) {
    if (!gDenied || !OnRegistry(path, info)) return platform::posix::realSyscalls().lstat(path, info);
    errno = EACCES;
    return -1;
}

TEST_F(SharedFileFaults, OnlyASearchThatFindsNothingCreatesAndNeverOverAFile) {
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
        FirmListFile file(Path());
        gDenied = true;
        if (std::string_view(failure.what).ends_with("retry")) {
            // The access comes back just as the user gives up.
            screen.pushIdle();
            screen.pushAction([this] {
                EXPECT_TRUE(screen.screenContains("Ponowić próbę ?"));
                gDenied = false;
            });
            screen.pushText("N");
        }
        {
            const auto fault = failure.fault();
            EXPECT_FALSE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
        }
        EXPECT_NE(file.LastError(), platform::err::Ok);
        EXPECT_EQ(file.State(), fileio::state::Closed);
        EXPECT_EQ(temp.readFile(failure.stored), qztest::RegistryBytes({a}));
    }
    // A search that finds nothing while the file is there (made by another
    // workstation a moment before the create): the file is opened, not emptied.
    WriteRegistry({a});
    FirmListFile file(Path());
    {
        FailNthCall<&Syscalls::stat> vanished(1, ENOENT, &OnRegistry);
        ASSERT_TRUE(file.Open(fileio::OpenOrCreate, fileio::WaitNone));
    }
    EXPECT_EQ(file.State(), fileio::state::Opened);
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a}));
}

// The journal's flush, its directory's, or the registry's own (the third) fails: the
// registry is as it was, so the failure the user is told of is true.
TEST_F(SharedFileFaults, FailedFlushOfAnInsertLeavesTheFileAsItWas) {
    const RegistryRecord a = Firm("A", "A", "");
    const RegistryRecord c = Firm("C", "C", "");
    const RegistryRecord b = Firm("B", "B", "");
    for (const int failing : {1, 2, 3}) {
        SCOPED_TRACE(failing);
        WriteRegistry({a, c});
        FirmListFile file(Path());
        ASSERT_TRUE(file.Open(fileio::OpenExisting, fileio::WaitNone));
        Answer("wstawienia do pliku", "T", 2);  // after the lock and the unlock
        platform::posix::FailNthCall<&platform::posix::Syscalls::fsync> fault(failing, EIO);
        EXPECT_FALSE(file.InsertSorted(&b));
        EXPECT_GE(fault.callCount(), failing);
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
    return platform::posix::realSyscalls().lock(fd, command, lock);
}

TEST_F(SharedFileFaults, AJournalStillLookedAtAMomentAfterItsCloseGoesAllTheSame) {
    const RegistryRecord a = Firm("A", "A", ""), b = Firm("B", "B", "");
    WriteRegistry({a});
    FirmListFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting, fileio::WaitNone));
    gBusyLooks = 3;
    {
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::lock> busy(&BusyLookAtJournal);
        EXPECT_TRUE(file.InsertSorted(&b));
    }
    EXPECT_EQ(gBusyLooks, 0);
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b}));
    EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
}

// A network file system's client may remember a file a record shorter than its
// server has it, after another workstation's insert a moment ago: sizes asked that
// way and afresh both say so here.
int RememberedShort(int fd, struct stat* info) {
    const int result = platform::posix::realSyscalls().fstat(fd, info);
    constexpr auto kRecord = static_cast<off_t>(fileio::kRegistryRecordSize);
    if (result == 0 && info->st_size >= kRecord) info->st_size -= kRecord;
    return result;
}
int AskedShort(int fd, int flags, unsigned mask, struct statx* info) {
    const int result = platform::posix::realSyscalls().fstatx(fd, flags, mask, info);
    if (result == 0 && info->stx_size >= fileio::kRegistryRecordSize) info->stx_size -= fileio::kRegistryRecordSize;
    return result;
}

TEST_F(SharedFileFaults, AnInsertReadsOnToTheTrueEndUnderTheLock) {
    const RegistryRecord a = Firm("A", "A", ""), b = Firm("B", "B", ""), c = Firm("C", "C", ""),
                         d = Firm("D", "D", "");
    WriteRegistry({a, c, d});
    FirmListFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting, fileio::WaitNone));
    {
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::fstat> remembered(&RememberedShort);
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::fstatx> asked(&AskedShort);
        ASSERT_TRUE(file.InsertSorted(&b));
    }
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b, c, d}));
}

TEST_F(SharedFileFaults, TemporaryNamesStepOverEntriesOfEveryKind) {
    // The first candidate, then a pipe, a socket and a link to nothing on it and the
    // two names after it.
    const std::string first = fileio::TempName(temp.root());
    const std::string digits = first.substr(first.size() - 12, 8);
    const auto nameAt = [&](unsigned step) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(std::stoul(digits, nullptr, 16) + step));
        return "~qz" + std::string(hex) + ".tmp";
    };
    ASSERT_EQ(::mkfifo((temp.path() / nameAt(0)).c_str(), 0600), 0);
    std::filesystem::create_symlink(temp.path() / "nic", temp.path() / nameAt(1));
    const int unixSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (temp.path() / nameAt(2)).string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(unixSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(unixSocket);

    SharedFile file(temp.root(), 1);
    ASSERT_TRUE(file.Open(fileio::CreateTemp, fileio::WaitNone));
    EXPECT_EQ(file.State(), fileio::state::Temp);
    EXPECT_EQ(file.FileName(), temp.root() + nameAt(3));
    EXPECT_FALSE(temp.exists("nic"));
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
    platform::posix::FailNthCall<&platform::posix::Syscalls::write> diskFull(2, ENOSPC);  // after the journal
    EXPECT_FALSE(file.InsertSorted(&b));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c}));
    EXPECT_FALSE(file.Locked());
}

TEST_F(SharedFileFaults, FailedReadOrMoveLeavesTheFileAsItWas) {
    const RegistryRecord a = Firm("A", "A", "");
    const RegistryRecord b = Firm("B", "B", "");
    const RegistryRecord c = Firm("C", "C", "");
    const RegistryRecord d = Firm("D", "D", "");
    // The read of C (the third: the first finds the end) or the third write (moving C
    // up, after the journal and the append) fails: the file is put back.
    for (const bool failRead : {true, false}) {
        WriteRegistry({a, c, d});
        FirmListFile file(Path());
        ASSERT_TRUE(file.Open(fileio::OpenExisting, fileio::WaitNone));
        Answer(failRead ? "odczytu danych" : "zapisu danych", "T", 1);
        Answer("wstawienia do pliku", "T", 1);
        {
            platform::posix::FailNthCall<&platform::posix::Syscalls::read> readFault(failRead ? 3 : 0, EIO);
            platform::posix::FailNthCall<&platform::posix::Syscalls::write> writeFault(failRead ? 0 : 3, EIO);
            EXPECT_FALSE(file.InsertSorted(&b));
        }
        EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c, d})) << (failRead ? "read" : "write");
        EXPECT_FALSE(temp.exists("SPISFIRM.DAT.insert-journal"));
    }
}

}  // namespace
