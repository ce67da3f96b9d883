// The firm text file when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <cerrno>

#include "platform/posix/syscalls.h"
#include "tests/product/firm_text_fixture.h"

namespace {

// A suite of its own: the fixture class of this file is not the one of the tests
// every system runs.
class FirmTextFaults : public FirmTextTest {};

TEST_F(FirmTextFaults, FailedSaveIsReported) {
    platform::posix::FailNthCall<&platform::posix::Syscalls::write> diskFull(1, ENOSPC);
    EXPECT_FALSE(product::CarryOverFirmText(Source(), Target(), kLocation));
}

TEST_F(FirmTextFaults, UnreadableSourceWritesNoTarget) {
    temp.writeFile("2023/FIRMATXT.INI", "[KPR]\r\nNIP=123\r\n");
    platform::posix::FailNthCall<&platform::posix::Syscalls::read> failing(1, EIO);
    screen.pushIdle();
    screen.pushAction([this] { EXPECT_TRUE(screen.screenContains("Błąd odczytu danych firmy")); });
    screen.pushKey(tui::kbEnter);
    bool carried = true;
    EXPECT_EQ(exitCodeOf([&] { carried = product::CarryOverFirmText(Source(), Target(), kLocation); }), -1);
    EXPECT_FALSE(carried);
    EXPECT_FALSE(temp.exists("2024/FIRMATXT.INI")) << "no file of defaults in place of the firm's data";
}

}  // namespace
