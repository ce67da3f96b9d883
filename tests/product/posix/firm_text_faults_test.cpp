// The firm text file when the system calls beneath fail (the POSIX layer's
// syscall table makes them fail on purpose).
#include <cerrno>

#include "platform/posix/syscalls.h"
#include "tests/product/firm_text_fixture.h"

namespace {

TEST_F(FirmTextTest, FailedSaveIsReported) {
    platform::posix::FailNthCall<&platform::posix::Syscalls::write> diskFull(1, ENOSPC);
    EXPECT_FALSE(product::CarryOverFirmText(Source(), Target(), kLocation));
}

}  // namespace
