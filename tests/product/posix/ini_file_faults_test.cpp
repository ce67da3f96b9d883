// The settings text file when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <cerrno>

#include <memory>
#include <optional>
#include <string_view>

#include "platform/posix/syscalls.h"
#include "tests/product/ini_file_fixture.h"
#include "tests/support/posix/fault_kinds.h"
#include "tui/keys.h"

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

// On a network drive the save is flushed to the server before the lock goes, and a
// failed flush is reported; a local disk needs no flush. A failed close is reported
// everywhere.
TEST_F(IniFileFaults, FailedFlushOrCloseOfASaveIsReported) {
    using platform::posix::Syscalls;
    enum Case { NetworkFlush, LocalDisk, Close };
    for (const Case c : {NetworkFlush, LocalDisk, Close}) {
        SCOPED_TRACE(c == NetworkFlush ? "network flush" : c == LocalDisk ? "local disk" : "close");
        if (c == LocalDisk && !qztest::OnLocalDisk(temp.root())) continue;
        Write("[A]\nK=1\n");
        std::unique_ptr<IniFile> ini;
        {
            std::optional<platform::posix::ScopedSyscall<&Syscalls::fstat>> remote;
            if (c == NetworkFlush) remote.emplace(&qztest::OnAnonymousDevice);
            ini = IniFile::Init(Path(), true);
        }
        ASSERT_TRUE(ini);
        ini->WriteString("A", "K", "2");
        if (c == Close) {
            qztest::CloseFailsNth failing(1);
            EXPECT_FALSE(ini->Done());
            continue;
        }
        platform::posix::FailNthCall<&Syscalls::fsync> failing(1, EIO);
        EXPECT_EQ(ini->Done(), c == LocalDisk);
        EXPECT_EQ(failing.CallCount(), c == NetworkFlush ? 1 : 0);
    }
}

// The search that tells whether the file is there fails: neither an empty reader
// nor a writer that creates the file anew over what it holds.
TEST_F(IniFileFaults, FailedSearchIsNoMissingFile) {
    const auto onIni = +[](const char* path, struct stat*) { return std::string_view(path).ends_with("FIRMATXT.INI"); };
    for (const int error : {EIO, ESTALE}) {
        for (const bool forWrite : {false, true}) {
            SCOPED_TRACE(std::string(forWrite ? "writer, " : "reader, ") + std::to_string(error));
            Write("[A]\nK=1\n");
            {
                platform::posix::FailNthCall<&platform::posix::Syscalls::lstat> failing(1, error, onIni);
                EXPECT_FALSE(IniFile::Init(Path(), forWrite));
                EXPECT_EQ(failing.CallCount(), 1);
            }
            EXPECT_EQ(Bytes(), "[A]\nK=1\n");
        }
    }
}

// Where locks are mandatory, a reader cannot read the byte that a writer elsewhere
// holds: it waits, and asks after four pauses whether to go on.
TEST_F(IniFileFaults, ReaderWaitsOutALockedFirstByte) {
    Write("[A]\nK=1\n");
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::read> locked(1, EAGAIN);
        auto ini = IniFile::Init(Path(), false);
        ASSERT_TRUE(ini);
        EXPECT_EQ(ini->ReadString("A", "K", ""), "1");
        EXPECT_EQ(clock.TotalSleptMs(), 500u);
    }
    platform::posix::ScopedSyscall<&platform::posix::Syscalls::read> alwaysLocked(
        +[](int, void*, size_t) -> ssize_t {
            errno = EAGAIN;
            return -1;
        });
    screen.PushIdle();
    screen.PushAction([this] {
        EXPECT_TRUE(screen.ScreenContains("Ponowić próbę ?"));
        EXPECT_TRUE(screen.ScreenContains("FIRMATXT.INI"));
    });
    screen.PushText("N");
    EXPECT_FALSE(IniFile::Init(Path(), false));
    EXPECT_EQ(clock.TotalSleptMs(), 500u + 4 * 500u);
}

TEST_F(IniFileFaults, UnreadableFileGivesNoObject) {
    Write("[A]\nK=1\n");
    platform::posix::FailNthCall<&platform::posix::Syscalls::read> failing(1, EIO);
    EXPECT_FALSE(IniFile::Init(Path(), true));
}

}  // namespace
