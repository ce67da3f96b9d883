#include "platform/win32/user32.h"

namespace platform::win32 {

namespace {

template <typename Function>
void find(HMODULE module, const char* name, Function& function) {
    // Through a pointer to a function without parameters, as the compiler allows
    // between unrelated function types.
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

User32 load() {
    User32 functions;
    const HMODULE module = LoadLibraryA("user32.dll");
    if (!module) return functions;  // kept loaded for the rest of the run
    find(module, "OpenClipboard", functions.openClipboard);
    find(module, "CloseClipboard", functions.closeClipboard);
    find(module, "EmptyClipboard", functions.emptyClipboard);
    find(module, "GetClipboardData", functions.getClipboardData);
    find(module, "SetClipboardData", functions.setClipboardData);
    find(module, "MessageBeep", functions.messageBeep);
    return functions;
}

}  // namespace

const User32& user32() {
    static const User32 functions = load();
    return functions;
}

}  // namespace platform::win32
