// Byte-range locks on the handle and sharing modes, as the home platform keeps them.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;

constexpr std::uint64_t kWholeFile = 2147483647;

class FileLocks : public ::testing::Test {
protected:
    FileLocks() { temp.writeFile("SPISFIRM.DAT", std::string(300, 'x')); }
    std::string path() const { return temp.root() + "SPISFIRM.DAT"; }
    FileHandle open(std::uint8_t openMode = mode::ReadWrite | mode::DenyNone) {
        FileHandle file;
        EXPECT_EQ(OpenSharedFile(path(), openMode, file), err::Ok);
        return file;
    }
    qztest::TempDir temp;
};

// Classic POSIX locks would let the second handle of the same process through.
TEST_F(FileLocks, TwoHandlesOfOneProcessConflict) {
    FileHandle first = open();
    FileHandle second = open();
    ASSERT_EQ(LockRange(first, 0, 103), err::Ok);
    EXPECT_EQ(LockRange(second, 50, 103), err::LockViolation);
    EXPECT_EQ(LockRange(second, 0, kWholeFile), err::LockViolation);
    EXPECT_EQ(LockRange(second, 103, 103), err::Ok) << "the next record is free";
}

// Classic POSIX locks are all dropped when any descriptor of the file is closed.
TEST_F(FileLocks, LockSurvivesClosingAnotherHandleOfTheFile) {
    FileHandle holder = open();
    ASSERT_EQ(LockRange(holder, 0, 1), err::Ok);
    {
        FileHandle glance = open(mode::ReadOnly | mode::DenyNone);
        std::uint64_t size = 0;
        EXPECT_EQ(FileSize(glance, size), err::Ok);
        EXPECT_EQ(CloseFile(glance), err::Ok);
    }
    FileHandle other = open();
    EXPECT_EQ(LockRange(other, 0, 1), err::LockViolation);
}

TEST_F(FileLocks, ClosingTheHolderReleasesItsLocks) {
    FileHandle holder = open();
    FileHandle other = open();
    ASSERT_EQ(LockRange(holder, 0, kWholeFile), err::Ok);
    ASSERT_EQ(LockRange(other, 10, 1), err::LockViolation);
    EXPECT_EQ(CloseFile(holder), err::Ok);
    EXPECT_EQ(LockRange(other, 10, 1), err::Ok);
}

TEST_F(FileLocks, OneHandleKeepsTheHomePlatformsRules) {
    FileHandle file = open();
    ASSERT_EQ(LockRange(file, 0, 103), err::Ok);
    EXPECT_EQ(LockRange(file, 100, 10), err::LockViolation) << "an overlapping range of the same handle";
    ASSERT_EQ(LockRange(file, 103, 103), err::Ok);
    EXPECT_EQ(UnlockRange(file, 0, 50), err::NotLocked) << "only part of a locked range";
    EXPECT_EQ(UnlockRange(file, 0, 206), err::NotLocked) << "two ranges at once";
    EXPECT_EQ(UnlockRange(file, 0, 103), err::Ok);
    EXPECT_EQ(UnlockRange(file, 0, 103), err::NotLocked) << "already unlocked";

    // The record after the unlocked one stays locked even though POSIX saw the two
    // ranges as one.
    FileHandle other = open();
    EXPECT_EQ(LockRange(other, 0, 103), err::Ok);
    EXPECT_EQ(LockRange(other, 103, 1), err::LockViolation);
}

TEST_F(FileLocks, ReadOnlyHandleLocksExclusively) {
    FileHandle reader = open(mode::ReadOnly | mode::DenyNone);
    FileHandle other = open(mode::ReadOnly | mode::DenyNone);
    ASSERT_EQ(LockRange(reader, 0, 1), err::Ok);
    EXPECT_EQ(LockRange(other, 0, 1), err::LockViolation);
}

TEST_F(FileLocks, RangesOutsideTheDataAreaAreRefused) {
    FileHandle file = open();
    EXPECT_EQ(LockRange(file, 0, 0), err::InvalidParameter);
    EXPECT_EQ(LockRange(file, 0x1'0000'0000, 1), err::InvalidParameter);
    EXPECT_EQ(LockRange(file, 0xFFFF'FFFF, 2), err::InvalidParameter);
    EXPECT_EQ(LockRange(file, 0xFFFF'FFFF, 1), err::Ok);
}

TEST_F(FileLocks, DataLocksDoNotDisturbSharing) {
    FileHandle file = open();
    ASSERT_EQ(LockRange(file, 0, kWholeFile), err::Ok);
    FileHandle second = open();  // deny none next to a whole-file lock
    EXPECT_TRUE(second.IsOpen());
}

TEST_F(FileLocks, ClosedHandleIsInvalid) {
    FileHandle file;
    EXPECT_EQ(LockRange(file, 0, 1), err::InvalidHandle);
    EXPECT_EQ(UnlockRange(file, 0, 1), err::InvalidHandle);
    EXPECT_EQ(CloseFile(file), err::InvalidHandle);
}

// --- Sharing modes -----------------------------------------------------------------

struct SharingCase {
    std::uint8_t first;
    std::uint8_t second;
    int expected;
};

std::ostream& operator<<(std::ostream& out, const SharingCase& c) {
    return out << std::hex << "first 0x" << int(c.first) << ", second 0x" << int(c.second);
}

class Sharing : public FileLocks, public ::testing::WithParamInterface<SharingCase> {};

TEST_P(Sharing, SecondOpenMeetsTheFirstHandlesMode) {
    const SharingCase c = GetParam();
    FileHandle first = open(c.first);
    ASSERT_TRUE(first.IsOpen());
    FileHandle second;
    EXPECT_EQ(OpenSharedFile(path(), c.second, second), c.expected);
    EXPECT_EQ(second.IsOpen(), c.expected == err::Ok);
}

using namespace platform::mode;
constexpr int kOk = err::Ok;
constexpr int kRefused = err::SharingViolation;

// Each row as the home platform decides it: a handle's denials against the other
// handle's access, both ways.
INSTANTIATE_TEST_SUITE_P(
    HomePlatformRules, Sharing,
    ::testing::Values(SharingCase{ReadWrite | DenyNone, ReadWrite | DenyNone, kOk},
                      SharingCase{ReadWrite | DenyNone, ReadOnly | DenyAll, kRefused},
                      SharingCase{ReadOnly | DenyAll, ReadOnly | DenyNone, kRefused},
                      SharingCase{ReadOnly | DenyAll, WriteOnly | DenyNone, kRefused},
                      SharingCase{ReadOnly | DenyWrite, ReadOnly | DenyNone, kOk},
                      SharingCase{ReadOnly | DenyWrite, ReadWrite | DenyNone, kRefused},
                      SharingCase{ReadOnly | DenyWrite, ReadOnly | DenyWrite, kOk},
                      SharingCase{ReadWrite | DenyNone, ReadOnly | DenyWrite, kRefused},
                      SharingCase{ReadOnly | DenyNone, ReadOnly | DenyWrite, kOk},
                      SharingCase{ReadOnly | DenyRead, WriteOnly | DenyNone, kOk},
                      SharingCase{ReadOnly | DenyRead, ReadOnly | DenyNone, kRefused},
                      SharingCase{WriteOnly | DenyRead, WriteOnly | DenyRead, kOk},
                      SharingCase{WriteOnly | DenyNone, ReadOnly | DenyRead, kOk},
                      SharingCase{ReadOnly | DenyNone, WriteOnly | DenyRead, kRefused},
                      SharingCase{ReadWrite, ReadWrite, kOk}));  // the compatibility mode shares

TEST_F(FileLocks, DenyAllOpenIsRefusedWhileAnotherHandleIsOpenAndAllowedAfter) {
    FileHandle other = open(ReadOnly | DenyNone);
    FileHandle exclusive;
    EXPECT_EQ(OpenSharedFile(path(), ReadWrite | DenyAll, exclusive), err::SharingViolation);
    ASSERT_EQ(CloseFile(other), err::Ok);
    EXPECT_EQ(OpenSharedFile(path(), ReadWrite | DenyAll, exclusive), err::Ok);
}

TEST_F(FileLocks, RefusedOpenLeavesNoMarksBehind) {
    FileHandle writer = open(ReadWrite | DenyNone);
    FileHandle refused;
    ASSERT_EQ(OpenSharedFile(path(), ReadOnly | DenyWrite, refused), err::SharingViolation);
    // Had the refused open kept its "denying write" mark, this would be refused.
    FileHandle secondWriter;
    EXPECT_EQ(OpenSharedFile(path(), ReadWrite | DenyNone, secondWriter), err::Ok);
}

TEST_F(FileLocks, CreateDoesNotEmptyAFileOpenDenyWrite) {
    FileHandle guard = open(ReadOnly | DenyWrite);
    FileHandle created;
    EXPECT_EQ(CreateOrTruncateFile(path(), created), err::SharingViolation);
    EXPECT_EQ(temp.readFile("SPISFIRM.DAT").size(), 300u);
}

TEST_F(FileLocks, OpenFileIsNeitherRenamedNorRemoved) {
    FileHandle file = open(ReadOnly | DenyNone);
    EXPECT_EQ(RenameFile(path(), temp.root() + "INNY.DAT"), err::SharingViolation);
    EXPECT_EQ(RemoveFile(path()), err::SharingViolation);
    ASSERT_EQ(CloseFile(file), err::Ok);
    EXPECT_EQ(RenameFile(path(), temp.root() + "INNY.DAT"), err::Ok);
    EXPECT_TRUE(temp.exists("INNY.DAT"));
}

TEST_F(FileLocks, UndefinedModeBitsAreRefused) {
    FileHandle file;
    EXPECT_EQ(OpenSharedFile(path(), 0x03, file), err::InvalidAccess);
    EXPECT_EQ(OpenSharedFile(path(), 0x52, file), err::InvalidAccess);
    EXPECT_EQ(OpenSharedFile(path(), 0x82, file), err::InvalidAccess);
    EXPECT_FALSE(file.IsOpen());
}

}  // namespace
