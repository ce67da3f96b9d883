// The firm text file when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <cerrno>
#include <string_view>

#include "platform/posix/syscalls.h"
#include "tests/support/posix/fault_kinds.h"
#include "tests/product/firm_text_fixture.h"

namespace {

// A suite of its own: the fixture class of this file is not the one of the tests
// every system runs.
class FirmTextFaults : public FirmTextTest {};

TEST_F(FirmTextFaults, FailedSaveIsReported) {
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::write> diskFull(1, ENOSPC);
        EXPECT_EQ(product::CarryOverFirmText(Source(), Target(), kLocation), product::FirmTextCarry::TargetNotSaved);
    }
    {
        // On a network drive the save is flushed to the server, and that flush fails.
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::fstat> remote(&qztest::OnAnonymousDevice);
        platform::posix::FailNthCall<&platform::posix::Syscalls::fsync> failing(1, EIO);
        EXPECT_EQ(product::CarryOverFirmText(Source(), Target(), kLocation), product::FirmTextCarry::TargetNotSaved);
    }
}

// The source cannot be read, or its search fails (which says nothing about whether
// it is there): a box, and no file of defaults in place of the firm's data.
TEST_F(FirmTextFaults, UnreadableSourceWritesNoTarget) {
    const auto onSource = +[](const char* path, struct stat*) {
        return std::string_view(path).ends_with("2023/FIRMATXT.INI");
    };
    for (const bool search : {false, true}) {
        SCOPED_TRACE(search ? "search" : "read");
        temp.writeFile("2023/FIRMATXT.INI", "[KPR]\r\nNIP=123\r\n");
        screen.PushIdle();
        screen.PushAction([this] { EXPECT_TRUE(screen.ScreenContains("Błąd odczytu danych firmy")); });
        screen.PushKey(tui::kbEnter);
        auto carried = product::FirmTextCarry::Done;
        {
            platform::posix::FailNthCall<&platform::posix::Syscalls::read> unreadable(search ? qztest::kNeverFail : 1,
                                                                                      EIO);
            platform::posix::FailNthCall<&platform::posix::Syscalls::lstat> unsearchable(
                search ? 1 : qztest::kNeverFail, EIO, onSource);
            EXPECT_EQ(exitCodeOf([&] { carried = product::CarryOverFirmText(Source(), Target(), kLocation); }), -1);
        }
        EXPECT_EQ(carried, product::FirmTextCarry::SourceUnreadable);
        EXPECT_FALSE(temp.exists("2024/FIRMATXT.INI"));
    }
}

// The search of an existing 2024 file fails: it is neither created anew nor emptied.
TEST_F(FirmTextFaults, FailedSearchOfTheTargetLeavesItAlone) {
    const auto onTarget = +[](const char* path, struct stat*) {
        return std::string_view(path).ends_with("2024/FIRMATXT.INI");
    };
    temp.writeFile("2023/FIRMATXT.INI", "[KPR]\r\nNIP=123\r\n");
    temp.writeFile("2024/FIRMATXT.INI", "[KPR]\r\nNIP=999\r\n");
    screen.PushIdle();
    screen.PushKey(tui::kbEnter);
    auto carried = product::FirmTextCarry::Done;
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::lstat> unsearchable(1, EIO, onTarget);
        EXPECT_EQ(exitCodeOf([&] { carried = product::CarryOverFirmText(Source(), Target(), kLocation); }), -1);
    }
    EXPECT_EQ(carried, product::FirmTextCarry::TargetUnopened);
    EXPECT_EQ(temp.readFile("2024/FIRMATXT.INI"), "[KPR]\r\nNIP=999\r\n");
}

}  // namespace
