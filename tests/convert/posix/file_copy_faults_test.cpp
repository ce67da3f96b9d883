// The file copy when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <cerrno>
#include <span>
#include <string_view>
#include <utility>

#include "platform/posix/syscalls.h"
#include "tests/convert/file_copy_fixture.h"
#include "tests/support/posix/fault_kinds.h"

namespace {

// A suite of its own: the fixture class of this file is not the one of the tests
// every system runs.
class FileCopyFaults : public FileCopyTest {};

using platform::posix::FailNthCall;
using platform::posix::ScopedSyscall;
using platform::posix::Syscalls;

// --- Failures of the file layer -------------------------------------------------

ssize_t halfThenDiskFull(int fd, const void* buffer, size_t size) {
    static bool first = true;
    if (std::exchange(first, false)) return platform::posix::RealSyscalls().write(fd, buffer, size / 2);
    first = true;
    errno = ENOSPC;
    return -1;
}

// The block and record copies report a failure while copying, wait for a key and
// fail; what was written stays.
TEST_F(FileCopyFaults, ShortWriteOrFailedReadIsReportedAndFails) {
    for (const bool writing : {true, false}) {
        for (const NamedCopy& copy : std::span(kCopies).subspan(1)) {
            const std::string name = std::string(copy.name) + (writing ? " writing" : " reading");
            tui::ClearLog(true);
            std::filesystem::remove(temp.path() / "CEL.DAT");
            temp.writeFile("ZRODLO.DAT", pattern(4000));
            screen.PushIdle();  // the key comes once the error is shown
            screen.PushKey(tui::kbEnter);
            bool result = true;
            if (writing) {
                ScopedSyscall<&Syscalls::write> diskFull(&halfThenDiskFull);
                result = copy.run(path("ZRODLO.DAT"), path("CEL.DAT"));
            } else {
                FailNthCall<&Syscalls::read> broken(1, EIO);
                result = copy.run(path("ZRODLO.DAT"), path("CEL.DAT"));
            }
            EXPECT_FALSE(result) << name;
            EXPECT_FALSE(temp.exists("CEL.DAT")) << name << ": no half-copied target stays";
            EXPECT_EQ(logRow(2), writing ? "Błąd zapisu danych\n" : "Błąd odczytu danych\n") << name;
            EXPECT_EQ(attributeOf(1, 2, 18), 0x0C) << name;
            EXPECT_TRUE(screen.InputEmpty()) << name << ": the error waits for a key";
        }
    }
}

TEST_F(FileCopyFaults, TextCopyFailuresWaitAndLeaveNoTarget) {
    for (const bool writing : {true, false}) {
        tui::ClearLog(true);
        temp.writeFile("ZRODLO.TXT", "linia\n");
        screen.PushIdle();  // the key comes once the error is shown
        screen.PushKey(tui::kbEnter);
        {
            FailNthCall<&Syscalls::write> diskFull(writing ? 1 : qztest::kNeverFail, ENOSPC);
            FailNthCall<&Syscalls::read> broken(writing ? qztest::kNeverFail : 1, EIO);
            convert::CopyTextFile(path("ZRODLO.TXT"), path("CEL.TXT"));
        }
        EXPECT_EQ(logRow(2), writing ? "Błąd zapisu do pliku " + root() + "CEL.TXT\n"
                                     : "Błąd odczytu z pliku " + root() + "ZRODLO.TXT\n");
        EXPECT_EQ(attributeOf(1, 2, 21), 0x0C);
        EXPECT_TRUE(screen.InputEmpty()) << "the error waits for a key";
        EXPECT_FALSE(temp.exists("CEL.TXT")) << "no half-copied target stays";
    }
}

TEST_F(FileCopyFaults, FailedAppendKeepsTheRecordsThatWereThere) {
    temp.writeFile("ZRODLO.REK", pattern(4000));
    temp.writeFile("CEL.REK", "STARYSTARY..");
    screen.PushIdle();  // the key comes once the error is shown
    screen.PushKey(tui::kbEnter);
    {
        ScopedSyscall<&Syscalls::write> diskFull(&halfThenDiskFull);
        EXPECT_FALSE(convert::CopyRecords(path("ZRODLO.REK"), path("CEL.REK"), 4, {}, convert::ExistingTarget::Append));
    }
    EXPECT_TRUE(temp.readFile("CEL.REK").starts_with("STARYSTARY..")) << "nothing of the earlier file is lost";
    EXPECT_TRUE(screen.InputEmpty()) << "the error waits for a key";
}

TEST_F(FileCopyFaults, OpenAndCreateFailuresNameTheFile) {
    temp.writeFile("ZRODLO.DAT", "abcdefgh");
    // The source opens first, then the target.
    const struct {
        int failingOpen;
        const char* message;
        const char* file;
    } cases[] = {
        {1, "Błąd otwarcia pliku ", "ZRODLO.DAT"},
        {2, "Błąd Utworzenia pliku ", "CEL.DAT"},
    };
    for (const auto& c : cases) {
        for (const NamedCopy& copy : kCopies) {
            const std::string name = copy.name;
            tui::ClearLog(true);
            screen.PushIdle();  // the key comes once the error is shown
            screen.PushKey(tui::kbEnter);
            bool result = true;
            {
                FailNthCall<&Syscalls::open> denied(c.failingOpen, EIO);
                result = copy.run(path("ZRODLO.DAT"), path("CEL.DAT"));
            }
            const std::string message = name == "text" && c.failingOpen == 2 ? "Błąd utworzenia pliku " : c.message;
            EXPECT_EQ(logRow(1), message + root() + c.file + "\n") << name << " " << c.failingOpen;
            EXPECT_EQ(screen.CellAt(1, 1).attribute, 0x0C) << name;
            EXPECT_TRUE(screen.InputEmpty()) << name << ": the error waits for a key";
            EXPECT_TRUE(!result || name == "text") << name;
            EXPECT_FALSE(temp.exists("CEL.DAT")) << name;
        }
    }
}

// The search for the target fails: whether it holds data is unknown, so it is
// neither replaced nor emptied (in append mode too), and the failure is reported.
TEST_F(FileCopyFaults, TargetThatCannotBeLookedUpIsLeftAlone) {
    constexpr auto kAppend = convert::ExistingTarget::Append;
    // The text and block copies know no appending.
    const NamedCopy appending[] = {
        kCopies[0],
        kCopies[1],
        {"record",
         [](const std::string& s, const std::string& t) { return convert::CopyRecords(s, t, 4, {}, kAppend); }},
        {"conversion",
         [](const std::string& s, const std::string& t) {
             return convert::ConvertRecords(s, t, 4, 4, convert::CopyWholeRecord, kAppend);
         }},
    };
    for (const bool append : {false, true}) {
        const std::span<const NamedCopy> copies =
            append ? std::span<const NamedCopy>(appending) : std::span<const NamedCopy>(kCopies);
        for (const NamedCopy& copy : copies) {
            const std::string name = std::string(copy.name) + (append ? " appending" : "");
            temp.writeFile("ZRODLO.DAT", "abcdefgh");
            temp.writeFile("CEL.DAT", "stary");
            tui::ClearLog(true);
            screen.PushIdle();  // the key comes once the error is shown
            screen.PushKey(tui::kbEnter);
            {
                FailNthCall<&Syscalls::lstat> unsearchable(
                    1, EIO, +[](const char* path, struct stat*) { return std::string_view(path).ends_with("/CEL.DAT"); });
                copy.run(path("ZRODLO.DAT"), path("CEL.DAT"));
            }
            EXPECT_EQ(temp.readFile("CEL.DAT"), "stary") << name;
            EXPECT_EQ(logRow(1), "Błąd odczytu katalogu " + root() + "CEL.DAT\n") << name;
            EXPECT_TRUE(screen.InputEmpty()) << name << ": the error waits for a key";
        }
    }
}

TEST_F(FileCopyFaults, TargetThatFailsToCloseFails) {
    temp.writeFile("ZRODLO.DAT", "abcdefgh");
    screen.PushIdle();  // the key comes once the error is shown
    screen.PushKey(tui::kbEnter);
    bool result = true;
    {
        // The source closes first, then the target.
        qztest::CloseFailsNth broken(2);
        result = convert::CopyBlocks(path("ZRODLO.DAT"), path("CEL.DAT"));
    }
    EXPECT_FALSE(result);
    EXPECT_EQ(logRow(2), "Błąd zamknięcia zbioru " + root() + "CEL.DAT\n");
    EXPECT_FALSE(temp.exists("CEL.DAT")) << "what may not be on the disk whole is not left";
}

// --- Buffering ------------------------------------------------------------------

TEST_F(FileCopyFaults, ManySmallRecordsTakeFewSystemCalls) {
    const std::string data = pattern(5000 * 32);
    temp.writeFile("ZRODLO.REK", data);
    constexpr int kNever = 1 << 30;
    FailNthCall<&Syscalls::read> reads(kNever, 0);
    FailNthCall<&Syscalls::write> writes(kNever, 0);
    EXPECT_TRUE(convert::CopyRecords(path("ZRODLO.REK"), path("CEL.REK"), 32));
    EXPECT_EQ(temp.readFile("CEL.REK"), data);
    EXPECT_LE(reads.CallCount(), 4);
    EXPECT_LE(writes.CallCount(), 4);
}

}  // namespace
