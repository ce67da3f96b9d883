// Wine's ntdll.dll tells its version through an export of its own.
#include "platform/win32/api.h"
#include "tests/support/program_test.h"

namespace qztest {

bool underWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

}  // namespace qztest
