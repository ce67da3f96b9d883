// Cutting a file at a size through its handle, the same on every system: the bytes
// beyond are gone, the file pointer stays where it was, a read-only handle refuses.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;

class FileTruncate : public ::testing::Test {
protected:
    FileTruncate() { temp.writeFile("FIRMATXT.INI", "0123456789"); }
    std::string path() const { return temp.root() + "FIRMATXT.INI"; }
    FileHandle open(std::uint8_t openMode) {
        FileHandle file;
        EXPECT_EQ(OpenSharedFile(path(), openMode, file), err::Ok);
        return file;
    }
    std::string readAll() {
        FileHandle file = open(mode::ReadOnly | mode::DenyNone);
        std::string text(64, '\0');
        std::size_t got = 0;
        EXPECT_EQ(ReadFromFile(file, text.data(), text.size(), got), err::Ok);
        text.resize(got);
        return text;
    }
    qztest::TempDir temp;
};

TEST_F(FileTruncate, CutsTheTailAndKeepsThePointer) {
    FileHandle file = open(mode::ReadWrite | mode::DenyNone);
    ASSERT_EQ(SeekFile(file, 2), err::Ok);
    ASSERT_EQ(TruncateFile(file, 4), err::Ok);
    std::uint64_t size = 0;
    EXPECT_EQ(FileSize(file, size), err::Ok);
    EXPECT_EQ(size, 4u);
    // The next write lands where the pointer was before the cut.
    std::size_t done = 0;
    ASSERT_EQ(WriteToFile(file, "ab", 2, done), err::Ok);
    EXPECT_EQ(CloseFile(file), err::Ok);
    EXPECT_EQ(readAll(), "01ab");
}

TEST_F(FileTruncate, ASizeBeyondTheEndLengthensWithZeros) {
    FileHandle file = open(mode::WriteOnly | mode::DenyNone);
    ASSERT_EQ(TruncateFile(file, 12), err::Ok);
    EXPECT_EQ(CloseFile(file), err::Ok);
    EXPECT_EQ(readAll(), std::string("0123456789\0\0", 12));
}

TEST_F(FileTruncate, RefusedWithoutWriteAccessOrAnOpenHandle) {
    FileHandle reader = open(mode::ReadOnly | mode::DenyNone);
    EXPECT_EQ(TruncateFile(reader, 0), err::AccessDenied);
    EXPECT_EQ(CloseFile(reader), err::Ok);
    EXPECT_EQ(TruncateFile(reader, 0), err::InvalidHandle);
    EXPECT_EQ(readAll(), "0123456789") << "nothing was cut";
}

}  // namespace
