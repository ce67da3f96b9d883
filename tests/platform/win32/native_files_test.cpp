// The file layer on Windows against the system itself: sharing modes and locks that
// other programs meet, the system's attributes, names the home platform refuses, and
// the place of the program.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/win32/api.h"
#include "platform/win32/home_error.h"
#include "platform/win32/system_calls.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;

class NativeFiles : public ::testing::Test {
protected:
    NativeFiles() { temp.writeFile("SPISFIRM.DAT", std::string(300, 'x')); }
    std::string path() const { return temp.root() + "SPISFIRM.DAT"; }
    // A handle of another program, straight from the system.
    HANDLE foreignHandle(DWORD access, DWORD share) const {
        return CreateFileA(path().c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    qztest::TempDir temp;
};

TEST_F(NativeFiles, DenyWriteRefusesAnotherProgramsWriter) {
    FileHandle file;
    ASSERT_EQ(OpenSharedFile(path(), mode::ReadOnly | mode::DenyWrite, file), err::Ok);
    const HANDLE writer = foreignHandle(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    const HANDLE reader = foreignHandle(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "reading is shared";
    CloseHandle(reader);
}

TEST_F(NativeFiles, AnotherProgramsDenyingHandleRefusesTheOpen) {
    const HANDLE exclusive = foreignHandle(GENERIC_READ, 0);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    FileHandle file;
    EXPECT_EQ(OpenSharedFile(path(), mode::ReadOnly | mode::DenyNone, file), err::SharingViolation);
    EXPECT_EQ(CreateOrTruncateFile(path(), file), err::SharingViolation);
    CloseHandle(exclusive);
    EXPECT_EQ(OpenSharedFile(path(), mode::ReadOnly | mode::DenyNone, file), err::Ok);
    EXPECT_EQ(temp.readFile("SPISFIRM.DAT").size(), 300u) << "the refused create emptied nothing";
}

TEST_F(NativeFiles, LockedRecordCannotBeReadThroughAnotherHandle) {
    FileHandle holder, other;
    ASSERT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, holder), err::Ok);
    ASSERT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, other), err::Ok);
    ASSERT_EQ(LockRange(holder, 103, 103), err::Ok);
    EXPECT_EQ(LockRange(other, 205, 1), err::LockViolation);
    if (qztest::underWine()) GTEST_SKIP() << "Wine's locks bind only other locks, not reads and writes";
    char record[103];
    std::size_t done = 0;
    ASSERT_EQ(SeekFile(other, 103), err::Ok);
    EXPECT_EQ(ReadFromFile(other, record, sizeof record, done), err::LockViolation);
    ASSERT_EQ(SeekFile(other, 0), err::Ok);
    EXPECT_EQ(ReadFromFile(other, record, sizeof record, done), err::Ok) << "the record before is free";
    EXPECT_EQ(done, sizeof record);
    ASSERT_EQ(UnlockRange(holder, 103, 103), err::Ok);
    ASSERT_EQ(SeekFile(other, 103), err::Ok);
    EXPECT_EQ(ReadFromFile(other, record, sizeof record, done), err::Ok);
}

// The system's refusals through the table of calls, as a full disk or a broken
// network would give them.
BOOL WINAPI writeNothing(HANDLE, LPCVOID, DWORD, LPDWORD put, LPOVERLAPPED) {
    *put = 0;
    return TRUE;
}
BOOL WINAPI readLost(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) {
    SetLastError(ERROR_NETNAME_DELETED);
    return FALSE;
}
BOOL WINAPI flushRefused(HANDLE) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_F(NativeFiles, TheSystemsRefusalsReachTheCaller) {
    FileHandle file;
    ASSERT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, file), err::Ok);
    std::size_t done = 1;
    char bytes[10] = {};
    {
        win32::ScopedSystemCall<&win32::SystemCalls::writeFile> full(&writeNothing);
        EXPECT_EQ(WriteToFile(file, bytes, sizeof bytes, done), err::DiskFull);
        EXPECT_EQ(done, 0u);
    }
    {
        win32::ScopedSystemCall<&win32::SystemCalls::readFile> lost(&readLost);
        EXPECT_EQ(ReadFromFile(file, bytes, sizeof bytes, done), win32::HomeError(ERROR_NETNAME_DELETED));
    }
    {
        win32::ScopedSystemCall<&win32::SystemCalls::flushFileBuffers> refused(&flushRefused);
        EXPECT_EQ(FlushFile(file), err::AccessDenied);
        FileHandle reader;
        ASSERT_EQ(OpenSharedFile(path(), mode::ReadOnly | mode::DenyNone, reader), err::Ok);
        EXPECT_EQ(FlushFile(reader), err::Ok) << "a handle that cannot write has nothing to flush";
    }
    EXPECT_EQ(ReadFromFile(file, bytes, sizeof bytes, done), err::Ok) << "the table is the system's again";
    EXPECT_EQ(done, sizeof bytes);
}

TEST_F(NativeFiles, ReadOnlyFileIsFoundSoAndNotRemoved) {
    ASSERT_TRUE(SetFileAttributesA(path().c_str(), FILE_ATTRIBUTE_READONLY));
    DirectorySearch search;
    FoundEntry entry;
    ASSERT_EQ(search.First(temp.root() + "spisfirm.dat", 0, entry), err::Ok);
    EXPECT_EQ(entry.attributes & attr::ReadOnly, attr::ReadOnly);
    EXPECT_EQ(RemoveFile(path()), err::AccessDenied);
    FileHandle file;
    EXPECT_EQ(OpenSharedFile(path(), mode::ReadOnly | mode::DenyNone, file), err::Ok);
    ASSERT_EQ(CloseFile(file), err::Ok);
    ASSERT_TRUE(SetFileAttributesA(path().c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(RemoveFile(path()), err::Ok);
}

TEST_F(NativeFiles, AnOpenThatMayWriteNeverGoesThroughALink) {
    if (qztest::underWine()) GTEST_SKIP() << "Wine's links are followed and show no reparse point";
    const std::string link = temp.root() + "LINK.REK";
    if (!CreateSymbolicLinkA(link.c_str(), path().c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        GTEST_SKIP() << "no symbolic links here (error " << GetLastError() << ")";
    FileHandle file;
    for (const std::uint8_t openMode : {mode::WriteOnly | mode::DenyNone, mode::ReadWrite | mode::DenyAll})
        EXPECT_EQ(OpenSharedFile(link, openMode, file), err::AccessDenied) << int(openMode);
    EXPECT_EQ(CreateOrTruncateFile(link, file), err::AccessDenied);
    EXPECT_EQ(CreateNewFile(link, file), err::AccessDenied) << "a link is no file to open";
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(temp.readFile("SPISFIRM.DAT"), std::string(300, 'x'));
    EXPECT_EQ(FindEntry(link), err::Ok);
    // Reading through a link changes nothing and stays possible.
    EXPECT_EQ(OpenSharedFile(link, mode::ReadOnly | mode::DenyNone, file), err::Ok);
}

TEST_F(NativeFiles, NamesTheHomePlatformRefusesAndDevices) {
    FileHandle file;
    for (const char* name : {"a<b.dat", "a>b.dat", "a|b.dat", "a\"b.dat", "a:b.dat"})
        EXPECT_EQ(OpenSharedFile(temp.root() + name, mode::ReadOnly, file), err::BadFormat) << name;
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "a|b.dat", file), err::BadFormat);
    EXPECT_EQ(MakeDirectory(temp.root() + "a<b"), err::BadFormat);
    EXPECT_EQ(OpenSharedFile(temp.root() + std::string(255, 'a') + "\\" + std::string(10, 'b'), mode::ReadOnly, file),
              err::BadFormat)
        << "a path beyond the system's limit";
    EXPECT_EQ(OpenSharedFile(temp.root() + "NUL", mode::ReadOnly, file), err::AccessDenied) << "a device is no file";
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "nul", file), err::AccessDenied);
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(NativeFiles, BothSlashesSeparate) {
    std::string forward = temp.root() + "KATALOG/PLIK.DAT";
    ASSERT_EQ(MakeDirectory(temp.root() + "katalog"), err::Ok);
    FileHandle file;
    ASSERT_EQ(CreateOrTruncateFile(forward, file), err::Ok);
    ASSERT_EQ(CloseFile(file), err::Ok);
    EXPECT_TRUE(IsOrdinaryFile(temp.root() + "katalog\\plik.dat"));
    EXPECT_TRUE(IsOrdinaryFile(temp.root() + "katalog/p*.*"));
    EXPECT_TRUE(DirectoryExists(temp.root() + "KATALOG/"));
}

TEST(ProgramPlace, PathsBeginWithADrive) {
    EXPECT_TRUE(PathsHaveDriveLetters());
    EXPECT_EQ(kSeparator, '\\');
    const std::string exe = ExecutablePath();
    ASSERT_GE(exe.size(), 18u);
    EXPECT_EQ(exe.substr(exe.size() - 18), "\\test_platform.exe") << exe;
}

struct ErrorCase {
    DWORD system;
    int home;
};

TEST(HomeErrors, SystemCodesAreTheHomeNumbers) {
    const ErrorCase cases[] = {
        {ERROR_FILE_NOT_FOUND, err::FileNotFound},
        {ERROR_PATH_NOT_FOUND, err::PathNotFound},
        {ERROR_ACCESS_DENIED, err::AccessDenied},
        {ERROR_SHARING_VIOLATION, err::SharingViolation},
        {ERROR_LOCK_VIOLATION, err::LockViolation},
        {ERROR_NOT_LOCKED, err::NotLocked},
        {ERROR_HANDLE_DISK_FULL, err::DiskFull},
        {ERROR_DISK_FULL, err::DiskFull},
        {ERROR_ALREADY_EXISTS, err::AlreadyExists},
        {ERROR_FILE_EXISTS, err::AlreadyExists},
        {ERROR_NOT_SAME_DEVICE, err::NotSameDevice},
        {ERROR_OUTOFMEMORY, err::NotEnoughMemory},
        {ERROR_INVALID_NAME, err::BadFormat},
        {ERROR_FILENAME_EXCED_RANGE, err::BadFormat},
        {ERROR_DIRECTORY, err::PathNotFound},
        {ERROR_BAD_NETPATH, err::PathNotFound},
        {ERROR_WRITE_PROTECT, 19},
        {ERROR_NOT_READY, 21},
    };
    for (const ErrorCase& c : cases) EXPECT_EQ(win32::HomeError(c.system), c.home) << "system code " << c.system;
}

}  // namespace
