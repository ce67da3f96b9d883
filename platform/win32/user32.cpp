#include "platform/win32/user32.h"

namespace platform::win32 {

namespace {

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
    // Through a pointer to a function without parameters, as the compiler allows
    // between unrelated function types.
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

User32 Load() {
    User32 functions;
    const HMODULE module = LoadLibraryA("user32.dll");
    if (!module) return functions;  // kept loaded for the rest of the run
    Find(module, "OpenClipboard", functions.openClipboard);
    Find(module, "CloseClipboard", functions.closeClipboard);
    Find(module, "EmptyClipboard", functions.emptyClipboard);
    Find(module, "GetClipboardData", functions.getClipboardData);
    Find(module, "SetClipboardData", functions.setClipboardData);
    Find(module, "MessageBeep", functions.messageBeep);
    return functions;
}

}  // namespace

const User32& TheUser32() {
    static const User32 functions = Load();
    return functions;
}

}  // namespace platform::win32
