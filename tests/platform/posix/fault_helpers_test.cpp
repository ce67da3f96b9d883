// The test helpers that fail chosen calls of the file layer: a filter that picks the
// calls to count, and a write that stops halfway.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/files.h"
#include "platform/posix/syscalls.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;
using platform::posix::FailNthCall;
using platform::posix::ShortNthWrite;
using platform::posix::Syscalls;

bool NamesARecordFile(const char* path, int, mode_t) {
    const std::size_t length = std::strlen(path);
    return length >= 4 && std::strcmp(path + length - 4, ".REK") == 0;
}

TEST(FaultHelpers, FilterCountsOnlyTheCallsItAccepts) {
    qztest::TempDir temp;
    FileHandle file;
    FailNthCall<&Syscalls::open> fault(2, EIO, &NamesARecordFile);
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "A.REK", file), err::Ok);
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "B.TXT", file), err::Ok) << "not counted, not failed";
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "C.TXT", file), err::Ok);
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "D.REK", file), err::GeneralFailure) << "the second .REK create";
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "E.REK", file), err::Ok);
    EXPECT_EQ(fault.CallCount(), 3);
    EXPECT_FALSE(temp.exists("D.REK"));
}

TEST(FaultHelpers, ShortWriteLeavesHalfOnTheDiskAndReportsAFullDisk) {
    qztest::TempDir temp;
    FileHandle file;
    ASSERT_EQ(CreateOrTruncateFile(temp.root() + "DANE.REK", file), err::Ok);
    ShortNthWrite fault(2);
    std::size_t done = 0;
    EXPECT_EQ(WriteToFile(file, "abcd", 4, done), err::Ok);
    EXPECT_EQ(WriteToFile(file, "efghij", 6, done), err::DiskFull);
    EXPECT_EQ(done, 3u);
    EXPECT_EQ(WriteToFile(file, "k", 1, done), err::Ok) << "the disk has room again";
    EXPECT_EQ(fault.CallCount(), 3) << "the failing rest of the short write is not counted";
    EXPECT_EQ(temp.readFile("DANE.REK"), "abcdefgk");
}

TEST(FaultHelpers, ShortWriteOfOneByteFailsAtOnce) {
    qztest::TempDir temp;
    FileHandle file;
    ASSERT_EQ(CreateOrTruncateFile(temp.root() + "DANE.REK", file), err::Ok);
    ShortNthWrite fault(1);
    std::size_t done = 0;
    EXPECT_EQ(WriteToFile(file, "a", 1, done), err::DiskFull);
    EXPECT_EQ(WriteToFile(file, "bc", 2, done), err::Ok);
    EXPECT_EQ(temp.readFile("DANE.REK"), "bc");
}

}  // namespace
