// Buffered reading and writing: pieces that straddle the buffer's edge, the end of
// the file, and a write failure that sticks.
#include "convert/copy_buffers.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/posix/syscalls.h"
#include "tests/support/program_test.h"

namespace {

using platform::posix::FailNthCall;
using platform::posix::Syscalls;

class CopyBuffersTest : public qztest::ProgramTest {
protected:
    std::string path(const std::string& name) const { return temp.root() + name; }
};

TEST_F(CopyBuffersTest, PiecesOfAnySizeAcrossTheBufferEdge) {
    const std::string data = "abcdefghijklmnopqrstuvwxyz0123456789";  // 36 bytes
    for (const std::size_t piece : {1u, 3u, 5u, 7u, 8u, 13u, 40u}) {
        temp.writeFile("IN.DAT", data);
        platform::FileHandle in;
        platform::FileHandle out;
        ASSERT_EQ(platform::openFile(path("IN.DAT"), platform::mode::ReadOnly, in), platform::err::Ok);
        ASSERT_EQ(platform::createFile(path("OUT.DAT"), out), platform::err::Ok);
        convert::BufferedReader reader(in, 7);
        convert::BufferedWriter writer(out, 7);
        std::string pieces;
        std::string buffer(piece, '\0');
        std::size_t done = 0;
        do {
            ASSERT_EQ(reader.read(reinterpret_cast<std::uint8_t*>(buffer.data()), piece, done), platform::err::Ok);
            // Only the last piece may be short.
            EXPECT_TRUE(done == piece || pieces.size() + done == data.size()) << piece;
            pieces.append(buffer, 0, done);
            ASSERT_EQ(writer.write(buffer.data(), done), platform::err::Ok);
        } while (done == piece);
        EXPECT_EQ(pieces, data) << piece;
        ASSERT_EQ(writer.flush(), platform::err::Ok);
        ASSERT_EQ(platform::closeFile(out), platform::err::Ok);
        EXPECT_EQ(temp.readFile("OUT.DAT"), data) << piece;
    }
}

TEST_F(CopyBuffersTest, AFailedWriteSticksAndNothingMoreReachesTheFile) {
    platform::FileHandle out;
    ASSERT_EQ(platform::createFile(path("OUT.DAT"), out), platform::err::Ok);
    convert::BufferedWriter writer(out, 4);
    FailNthCall<&Syscalls::write> diskFull(1, ENOSPC);
    EXPECT_EQ(writer.write("abc", 3), platform::err::Ok);          // still in the buffer
    EXPECT_EQ(writer.write("defgh", 5), platform::err::DiskFull);  // the first flush fails
    EXPECT_EQ(writer.write("i", 1), platform::err::DiskFull);
    EXPECT_EQ(writer.flush(), platform::err::DiskFull);
    EXPECT_EQ(diskFull.callCount(), 1);
    EXPECT_EQ(temp.readFile("OUT.DAT"), "");
}

}  // namespace
