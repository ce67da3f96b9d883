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

}  // namespace
