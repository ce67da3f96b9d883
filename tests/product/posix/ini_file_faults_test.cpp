// The settings text file when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <cerrno>

#include "platform/posix/syscalls.h"
#include "tests/product/ini_file_fixture.h"

namespace {

// A suite of its own: the fixture class of this file is not the one of the tests
// every system runs.
class IniFileFaults : public IniFileTest {};

TEST_F(IniFileFaults, FailedSaveIsReportedAndTheLockStillGoes) {
    Write("[A]\nK=1\n");
    auto ini = IniFile::Init(Path(), true);
    ASSERT_TRUE(ini);
    ini->WriteString("A", "K", "2");
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::write> diskFull(1, ENOSPC);
        EXPECT_FALSE(ini->Done());
    }
    EXPECT_TRUE(IniFile::Init(Path(), true));
}

TEST_F(IniFileFaults, UnreadableFileGivesNoObject) {
    Write("[A]\nK=1\n");
    platform::posix::FailNthCall<&platform::posix::Syscalls::read> failing(1, EIO);
    EXPECT_FALSE(IniFile::Init(Path(), true));
}

}  // namespace
