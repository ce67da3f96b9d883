#pragma once
// The few functions of user32.dll the program uses (the clipboard, the warning
// sound), loaded when first asked for: a console program need not load the window
// system, and where it is missing the clipboard is simply not there.
#include "platform/win32/api.h"

namespace platform::win32 {

struct User32 {
    decltype(&::OpenClipboard) openClipboard = nullptr;
    decltype(&::CloseClipboard) closeClipboard = nullptr;
    decltype(&::EmptyClipboard) emptyClipboard = nullptr;
    decltype(&::GetClipboardData) getClipboardData = nullptr;
    decltype(&::SetClipboardData) setClipboardData = nullptr;
    decltype(&::MessageBeep) messageBeep = nullptr;

    bool HasClipboard() const {
        return openClipboard && closeClipboard && emptyClipboard && getClipboardData && setClipboardData;
    }
};

// The functions found; a missing one is null.
const User32& TheUser32();

}  // namespace platform::win32
