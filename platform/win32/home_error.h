#pragma once
// The home platform's error numbers from the Win32 error codes. They are mostly the
// same numbers already; the few synonyms Windows has for one situation are folded
// into the number the callers test.
#include <cstdint>

namespace platform::win32 {

int HomeError(std::uint32_t code);
// HomeError of the calling thread's last error.
int LastHomeError();

}  // namespace platform::win32
