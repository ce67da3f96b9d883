// Locks of the POSIX file layer seen from another process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/files.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;

constexpr std::uint64_t kWholeFile = 2147483647;

class FileLocksAcrossProcesses : public ::testing::Test {
protected:
    FileLocksAcrossProcesses() { temp.writeFile("SPISFIRM.DAT", std::string(300, 'x')); }
    std::string path() const { return temp.root() + "SPISFIRM.DAT"; }
    qztest::TempDir temp;
};

TEST_F(FileLocksAcrossProcesses, AnotherProcessIsLockedOutToo) {
    FileHandle holder;
    ASSERT_EQ(OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, holder), err::Ok);
    ASSERT_EQ(LockRange(holder, 0, kWholeFile), err::Ok);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileHandle own;
        int code = OpenSharedFile(path(), mode::ReadWrite | mode::DenyNone, own);
        if (code == err::Ok) code = LockRange(own, 0, 1);
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), err::LockViolation);
}

}  // namespace
