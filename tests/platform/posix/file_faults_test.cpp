// Failures of the operating system, injected through the file layer's call table.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/disk_flush.h"
#include "platform/files.h"
#include "platform/read_ahead.h"
#include "platform/posix/syscalls.h"
#include "tests/support/posix/fault_kinds.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;
using platform::posix::FailNthCall;
using platform::posix::ScopedSyscall;
using platform::posix::Syscalls;

// Counts the calls of an entry without failing any.
template <auto Entry>
using CountCalls = FailNthCall<Entry>;
constexpr int kNever = 1 << 30;

class FileFaults : public ::testing::Test {
protected:
    FileFaults() { temp.writeFile("DANE.REK", "0123456789"); }
    std::string path() const { return temp.root() + "DANE.REK"; }
    FileHandle open(std::uint8_t openMode = mode::ReadWrite | mode::DenyNone) {
        FileHandle file;
        EXPECT_EQ(OpenSharedFile(path(), openMode, file), err::Ok);
        return file;
    }
    qztest::TempDir temp;
};

// --- Writes that take less than offered ------------------------------------------

int gWriteCalls = 0;

ssize_t threeBytesAtATime(int fd, const void* buffer, size_t size) {
    ++gWriteCalls;
    return posix::RealSyscalls().write(fd, buffer, size < 3 ? size : 3);
}

ssize_t halfThenDiskFull(int fd, const void* buffer, size_t size) {
    if (++gWriteCalls == 1) return posix::RealSyscalls().write(fd, buffer, size / 2);
    errno = ENOSPC;
    return -1;
}

ssize_t takesNothing(int, const void*, size_t) { return 0; }

TEST_F(FileFaults, PartialWritesAreCompleted) {
    FileHandle file = open();
    gWriteCalls = 0;
    ScopedSyscall<&Syscalls::write> partial(&threeBytesAtATime);
    std::size_t done = 0;
    EXPECT_EQ(WriteToFile(file, "abcdefghij", 10, done), err::Ok);
    EXPECT_EQ(done, 10u);
    EXPECT_EQ(gWriteCalls, 4);
    EXPECT_EQ(temp.readFile("DANE.REK"), "abcdefghij");
}

TEST_F(FileFaults, ShortWriteFollowedByAFullDiskIsAnError) {
    FileHandle file = open();
    gWriteCalls = 0;
    ScopedSyscall<&Syscalls::write> full(&halfThenDiskFull);
    std::size_t done = 0;
    EXPECT_EQ(WriteToFile(file, "abcdefghij", 10, done), err::DiskFull);
    EXPECT_EQ(done, 5u);
    EXPECT_EQ(temp.readFile("DANE.REK"), "abcde56789");
}

TEST_F(FileFaults, WriteThatTakesNothingMeansAFullDisk) {
    FileHandle file = open();
    ScopedSyscall<&Syscalls::write> stuck(&takesNothing);
    std::size_t done = 7;
    EXPECT_EQ(WriteToFile(file, "abc", 3, done), err::DiskFull);
    EXPECT_EQ(done, 0u);
}

TEST_F(FileFaults, InterruptedCallsAreRepeated) {
    FileHandle file = open();
    char buffer[10];
    std::size_t done = 0;
    {
        FailNthCall<&Syscalls::read> interrupted(1, EINTR);
        EXPECT_EQ(ReadFromFile(file, buffer, sizeof buffer, done), err::Ok);
        EXPECT_EQ(done, 10u);
        EXPECT_EQ(interrupted.CallCount(), 2) << "interrupted, then all ten bytes";
    }
    FailNthCall<&Syscalls::write> interrupted(1, EINTR);
    EXPECT_EQ(WriteToFile(file, "x", 1, done), err::Ok);
    EXPECT_EQ(done, 1u);
}

TEST_F(FileFaults, ReadErrorReportsWhatWasRead) {
    FileHandle file = open();
    auto fiveBytes = [](int fd, void* buffer, size_t) { return posix::RealSyscalls().read(fd, buffer, 5); };
    ScopedSyscall<&Syscalls::read> partial(+fiveBytes);
    FailNthCall<&Syscalls::read> failing(2, EIO);
    char buffer[10];
    std::size_t done = 0;
    EXPECT_EQ(ReadFromFile(file, buffer, sizeof buffer, done), err::GeneralFailure);
    EXPECT_EQ(done, 5u);
}

// --- Opening -----------------------------------------------------------------------

TEST_F(FileFaults, FailingOpenReportsTheHomeNumber) {
    struct Case {
        int error;
        int expected;
    };
    for (const Case c : {Case{EMFILE, err::TooManyOpenFiles}, Case{ENFILE, err::TooManyOpenFiles},
                         Case{EACCES, err::AccessDenied}, Case{EROFS, err::AccessDenied}, Case{EIO, err::GeneralFailure},
                         Case{ENOSPC, err::DiskFull}, Case{EDQUOT, err::DiskFull},
                         Case{EBUSY, err::SharingViolation}}) {
        FileHandle file;
        {
            FailNthCall<&Syscalls::open> fault(1, c.error);
            EXPECT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, file), c.expected) << "errno " << c.error;
            EXPECT_FALSE(file.IsOpen());
        }
        FailNthCall<&Syscalls::open> fault(1, c.error);
        EXPECT_EQ(CreateOrTruncateFile(temp.root() + "NOWY.REK", file), c.expected) << "errno " << c.error;
        EXPECT_EQ(LastFailure(), c.expected) << "kept for the message that names the reason";
    }
    EXPECT_FALSE(temp.exists("NOWY.REK"));
    FileHandle file;
    ASSERT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, file), err::Ok);
    EXPECT_EQ(LastFailure(), err::Ok) << "an open that succeeds forgets the failure before it";
}

TEST_F(FileFaults, ReadOnlyOpenFallsBackWhenTheFileCannotBeWritten) {
    {
        FailNthCall<&Syscalls::open> notWritable(1, EACCES);
        FileHandle reader = open(mode::ReadOnly | mode::DenyNone);
        EXPECT_EQ(notWritable.CallCount(), 2) << "read and write refused, then read only";
        char buffer[4];
        std::size_t done = 0;
        EXPECT_EQ(ReadFromFile(reader, buffer, sizeof buffer, done), err::Ok);
        EXPECT_EQ(done, 4u);
        // Without write access the descriptor takes shared locks; they still meet an
        // exclusive lock of another handle.
        FileHandle writer = open();
        ASSERT_EQ(LockRange(writer, 0, 1), err::Ok);
        EXPECT_EQ(LockRange(reader, 0, 1), err::LockViolation);
    }
    FailNthCall<&Syscalls::open> notWritable(1, EACCES);
    FileHandle file;
    EXPECT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, file), err::AccessDenied);
}

TEST_F(FileFaults, DescriptorIsClosedWhenTheOpenFailsHalfway) {
    CountCalls<&Syscalls::close> closes(kNever, 0);
    {
        FailNthCall<&Syscalls::fstat> fault(1, EIO);
        FileHandle file;
        EXPECT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, file), err::GeneralFailure);
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(closes.CallCount(), 1);
    {
        FailNthCall<&Syscalls::lock> fault(2, ENOLCK);  // the mark of the write access
        FileHandle file;
        EXPECT_NE(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, file), err::Ok);
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_EQ(closes.CallCount(), 2);
    FileHandle exclusive;
    EXPECT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyAll, exclusive), err::Ok) << "no marks were left";
}

TEST_F(FileFaults, FailedTruncationLeavesTheFile) {
    FailNthCall<&Syscalls::ftruncate> fault(1, EIO);
    FileHandle file;
    EXPECT_EQ(CreateOrTruncateFile(path(), file), err::GeneralFailure);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(temp.readFile("DANE.REK"), "0123456789");
}

// --- Locks, flush, directories ------------------------------------------------------

TEST_F(FileFaults, FailedLockIsNotRecorded) {
    FileHandle file = open();
    {
        FailNthCall<&Syscalls::lock> fault(1, ENOLCK);
        EXPECT_EQ(LockRange(file, 0, 10), err::LockViolation);
    }
    EXPECT_EQ(UnlockRange(file, 0, 10), err::NotLocked);
    ASSERT_EQ(LockRange(file, 0, 10), err::Ok);
    {
        FailNthCall<&Syscalls::lock> fault(1, EIO);
        EXPECT_EQ(UnlockRange(file, 0, 10), err::GeneralFailure);
    }
    EXPECT_EQ(UnlockRange(file, 0, 10), err::Ok) << "still held after the failed unlock";
}

TEST_F(FileFaults, FlushAndSizeFailures) {
    FileHandle file = open();
    {
        FailNthCall<&Syscalls::fsync> fault(1, EIO);
        EXPECT_EQ(FlushFile(file), err::GeneralFailure);
    }
    {
        FailNthCall<&Syscalls::fsync> fault(1, ENOSPC);
        EXPECT_EQ(FlushFile(file), err::DiskFull);
    }
    FailNthCall<&Syscalls::fstat> fault(1, EIO);
    std::uint64_t size = 99;
    EXPECT_EQ(FileSize(file, size), err::GeneralFailure);
    EXPECT_EQ(size, 0u);
    FailNthCall<&Syscalls::lseek> seekFault(1, EINVAL);
    EXPECT_EQ(SeekFile(file, 3), err::InvalidParameter);
}

// Directories flushed together: one syncfs for each file system they are on. A file
// written to the disk with them: on one of their file systems the syncfs covers it;
// on another it is flushed itself, and its failure is its own, not the directories'.
TEST_F(FileFaults, AFlushWritesBackEachFileSystemOnceAndAFileAlongsideHasItsOwnResult) {
    struct stat here {};
    struct stat shm {};
    if (::stat(temp.root().c_str(), &here) != 0 || ::stat("/dev/shm", &shm) != 0 || here.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    const std::string elsewhere = "/dev/shm/qz-test-" + std::to_string(::getpid());
    std::filesystem::create_directory(elsewhere);
    std::filesystem::create_directory(temp.root() + "B");
    std::ofstream(elsewhere + ".LOG") << "x";
    int alongside = -1;
    {
        CountCalls<&Syscalls::fsync> counted(kNever, EIO);
        CountCalls<&Syscalls::syncfs> synced(kNever, EIO);
        DiskFlush flush;
        ASSERT_EQ(flush.Begin(std::vector<std::string>{temp.root(), temp.root() + "B"}, path()), err::Ok);
        EXPECT_EQ(flush.End(alongside), err::Ok);
        EXPECT_EQ(alongside, err::Ok);
        EXPECT_EQ(counted.CallCount(), 0) << "the syncfs of the directory writes it back";
        EXPECT_EQ(synced.CallCount(), 1) << "one file system";
        ASSERT_EQ(flush.Begin(std::vector<std::string>{temp.root(), elsewhere}), err::Ok);
        EXPECT_EQ(flush.End(alongside), err::Ok);
        EXPECT_EQ(synced.CallCount(), 3) << "two file systems";
    }
    FailNthCall<&Syscalls::fsync> fault(1, EIO);
    DiskFlush flush;
    ASSERT_EQ(flush.Begin(std::vector<std::string>{temp.root()}, elsewhere + ".LOG"), err::Ok);
    EXPECT_EQ(flush.End(alongside), err::Ok);
    EXPECT_EQ(alongside, err::GeneralFailure);
    std::filesystem::remove(elsewhere + ".LOG");
    std::filesystem::remove(elsewhere);
}

// Reading a directory ahead opens its files on a thread of its own, outside the
// program's calls (a fault the tests inject stays on the call it was meant for) and
// without a trace on the program's handles: a deny-write handle and its lock stand.
TEST_F(FileFaults, AReadAheadLeavesNoTraceOnTheProgramsCallsOrHandles) {
    FileHandle held = open(mode::ReadWrite | mode::DenyWrite);
    ASSERT_EQ(LockRange(held, 0, 4), err::Ok);
    {
        CountCalls<&Syscalls::open> opens(kNever, EIO);
        ReadAhead readAhead;
        readAhead.Begin(temp.root());
        readAhead.End();
        EXPECT_EQ(opens.CallCount(), 1) << "only the directory, on the program's thread";
        readAhead.Begin(temp.root() + "BRAK");  // not there: nothing begins
    }
    FileHandle writer;
    EXPECT_EQ(OpenSharedFile(path(), mode::WriteOnly | mode::DenyNone, writer), err::SharingViolation);
    FileHandle reader = open(mode::ReadOnly | mode::DenyNone);
    EXPECT_EQ(LockRange(reader, 0, 4), err::LockViolation);
}

TEST_F(FileFaults, DirectoryFailures) {
    DirectorySearch search;
    FoundEntry entry;
    {
        FailNthCall<&Syscalls::readdir> fault(2, EIO);
        EXPECT_EQ(search.First(temp.root() + "*", attr::AnyFile, entry), err::GeneralFailure);
    }
    {
        FailNthCall<&Syscalls::opendir> fault(1, EACCES);
        EXPECT_EQ(search.First(temp.root() + "*", attr::AnyFile, entry), err::AccessDenied);
    }
    for (const std::string& pattern : {path(), temp.root() + "*.REK"}) {
        // An entry that cannot be examined may be a file: an error, never "not found".
        FailNthCall<&Syscalls::stat> fault(1, EIO);
        EXPECT_EQ(search.First(pattern, attr::AnyFile, entry), err::GeneralFailure) << pattern;
    }
    {
        FailNthCall<&Syscalls::mkdir> fault(1, ENOSPC);
        EXPECT_EQ(MakeDirectory(temp.root() + "NOWY"), err::DiskFull);
    }
    {
        FailNthCall<&Syscalls::rename> fault(1, EXDEV);
        EXPECT_EQ(RenameFile(path(), temp.root() + "INNY.REK"), err::NotSameDevice);
    }
    {
        // A file system without RENAME_NOREPLACE still renames, through a second link.
        FailNthCall<&Syscalls::rename> fault(1, EINVAL);
        CountCalls<&Syscalls::link> linked(kNever, 0);
        EXPECT_EQ(RenameFile(path(), temp.root() + "INNY.REK"), err::Ok);
        EXPECT_EQ(linked.CallCount(), 1);
        EXPECT_FALSE(temp.exists("DANE.REK"));
    }
    {
        // The check for handles still open that cannot be made stops the rename.
        FailNthCall<&Syscalls::open> fault(1, EIO);
        EXPECT_EQ(RenameFile(temp.root() + "INNY.REK", temp.root() + "TRZECI.REK"), err::GeneralFailure);
        EXPECT_TRUE(temp.exists("INNY.REK"));
    }
    FailNthCall<&Syscalls::unlink> fault(1, EPERM);
    EXPECT_EQ(RemoveFile(temp.root() + "inny.rek"), err::AccessDenied);
    EXPECT_TRUE(temp.exists("INNY.REK"));
}

// Another workstation makes the new name between the look-up and the rename, on a
// file system without RENAME_NOREPLACE: a file just before the link, a directory
// just before the empty one that claims the name.
void makeMeanwhile(const char* path, bool directory) {
    const std::string file = directory ? std::string(path) + "/OBCY.REK" : std::string(path);
    if (directory) posix::RealSyscalls().mkdir(path, 0777);
    const int other = posix::RealSyscalls().open(file.c_str(), O_WRONLY | O_CREAT, 0666);
    EXPECT_EQ(posix::RealSyscalls().write(other, "obcy", 4), 4);
    posix::RealSyscalls().close(other);
}
int linkAfterAnotherMadeIt(const char* from, const char* to) {
    makeMeanwhile(to, false);
    return posix::RealSyscalls().link(from, to);
}
int mkdirAfterAnotherMadeIt(const char* path, mode_t mode) {
    makeMeanwhile(path, true);
    return posix::RealSyscalls().mkdir(path, mode);
}

TEST_F(FileFaults, ARenameWithoutNoReplaceNeverOverwritesWhatAppearedMeanwhile) {
    {
        FailNthCall<&Syscalls::rename> noFlag(1, EINVAL);
        ScopedSyscall<&Syscalls::link> race(&linkAfterAnotherMadeIt);
        EXPECT_EQ(RenameFile(path(), temp.root() + "NOWY.REK"), err::AlreadyExists);
    }
    EXPECT_EQ(temp.readFile("NOWY.REK"), "obcy");
    EXPECT_EQ(temp.readFile("DANE.REK"), "0123456789");
    temp.writeFile("STARY/DANE.REK", "stary");
    temp.writeFile("DRUGI/DANE.REK", "drugi");
    {
        FailNthCall<&Syscalls::rename> noFlag(1, EINVAL);
        EXPECT_EQ(RenameFile(temp.root() + "STARY", temp.root() + "NOWY"), err::Ok);
    }
    EXPECT_EQ(temp.readFile("NOWY/DANE.REK"), "stary");
    {
        FailNthCall<&Syscalls::rename> noFlag(1, EINVAL);
        ScopedSyscall<&Syscalls::mkdir> race(&mkdirAfterAnotherMadeIt);
        EXPECT_EQ(RenameFile(temp.root() + "DRUGI", temp.root() + "TRZECI"), err::AlreadyExists);
    }
    EXPECT_EQ(temp.readFile("TRZECI/OBCY.REK"), "obcy");
    EXPECT_EQ(temp.readFile("DRUGI/DANE.REK"), "drugi");
}

// A lock taken has the file's view revalidated (its access time set); one whose view
// the drive fails to give is no lock. On a file system that may drop them after the
// close has returned (an anonymous device: network, FUSE), a handle's locks and marks
// are released before its descriptor is closed; a local disk drops them in the close.
bool gReleasedAll = false;
bool gReleasedBeforeClose = false;
int noteRelease(int fd, int command, struct flock* lock) {
    if (command == F_OFD_SETLK && lock->l_type == F_UNLCK && lock->l_start == 0 && lock->l_len == 0)
        gReleasedAll = true;
    return posix::RealSyscalls().lock(fd, command, lock);
}
int noteClose(int fd) {
    gReleasedBeforeClose = gReleasedAll;
    return posix::RealSyscalls().close(fd);
}

TEST_F(FileFaults, ALockRevalidatesTheViewAndLocksGoBeforeTheClose) {
    FileHandle file = open();
    {
        CountCalls<&Syscalls::futimens> touched(kNever, 0);
        ASSERT_EQ(LockRange(file, 0, 10), err::Ok);
        EXPECT_EQ(touched.CallCount(), 1);
    }
    {
        FailNthCall<&Syscalls::futimens> refused(1, EPERM);
        EXPECT_EQ(LockRange(file, 20, 10), err::Ok) << "a file whose times this user may not set";
    }
    {
        FailNthCall<&Syscalls::futimens> lost(1, EIO);
        EXPECT_EQ(LockRange(file, 40, 10), err::GeneralFailure);
    }
    FileHandle other = open();
    EXPECT_EQ(LockRange(other, 40, 10), err::Ok) << "the range whose view failed is not held";
    FileHandle remote;
    {
        ScopedSyscall<&Syscalls::fstat> anonymous(&qztest::OnAnonymousDevice);
        remote = open();
    }
    ASSERT_EQ(LockRange(remote, 60, 10), err::Ok);
    ScopedSyscall<&Syscalls::lock> released(&noteRelease);
    ScopedSyscall<&Syscalls::close> closed(&noteClose);
    gReleasedAll = gReleasedBeforeClose = false;
    EXPECT_EQ(CloseFile(remote), err::Ok);
    EXPECT_TRUE(gReleasedBeforeClose);
    if (!qztest::OnLocalDisk(temp.root())) return;
    gReleasedAll = false;
    EXPECT_EQ(CloseFile(file), err::Ok);
    EXPECT_FALSE(gReleasedAll);
    EXPECT_EQ(LockRange(other, 0, 10), err::Ok) << "the close dropped the lock";
}

// Another process creates the file between the look-up and the open.
int createdMeanwhile(const char* path, int flags, mode_t mode) {
    if (flags & O_CREAT) {
        const int other = posix::RealSyscalls().open(path, O_WRONLY | O_CREAT, 0666);
        EXPECT_EQ(posix::RealSyscalls().write(other, "obcy", 4), 4);
        posix::RealSyscalls().close(other);
    }
    return posix::RealSyscalls().open(path, flags, mode);
}

TEST_F(FileFaults, CreatingANewFileNeverTakesOneThatExists) {
    FileHandle file;
    EXPECT_EQ(CreateNewFile(temp.root() + "dane.rek", file), err::AlreadyExists);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(temp.readFile("DANE.REK"), "0123456789");
    {
        ScopedSyscall<&Syscalls::open> race(&createdMeanwhile);
        EXPECT_EQ(CreateNewFile(temp.root() + "NOWY.REK", file), err::AlreadyExists);
    }
    EXPECT_EQ(temp.readFile("NOWY.REK"), "obcy");
    ASSERT_EQ(CreateNewFile(temp.root() + "TRZECI.REK", file), err::Ok);
    std::size_t done = 0;
    EXPECT_EQ(WriteToFile(file, "abc", 3, done), err::Ok);
    EXPECT_EQ(CloseFile(file), err::Ok);
    EXPECT_EQ(temp.readFile("TRZECI.REK"), "abc");
}

TEST(ProgramPlaceFaults, MissingCurrentDirectoryAndExecutable) {
    {
        FailNthCall<&Syscalls::getcwd> fault(1, ENOENT);
        EXPECT_EQ(CurrentDirectory(), "./");
    }
    FailNthCall<&Syscalls::readlink> fault(1, ENOENT);
    EXPECT_EQ(ExecutablePath(), "");
}

TEST(CallTable, ScopedReplacementIsUndone) {
    const auto real = posix::TheSyscalls().write;
    {
        ScopedSyscall<&Syscalls::write> replaced(&takesNothing);
        EXPECT_NE(posix::TheSyscalls().write, real);
    }
    EXPECT_EQ(posix::TheSyscalls().write, real);
}

}  // namespace
