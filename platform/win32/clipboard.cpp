#include "platform/win32/clipboard.h"

#include <cstring>

#include "platform/win32/user32.h"
#include "platform/win32/wide_text.h"

namespace platform::win32::clipboard {

namespace {

// Another program may hold the clipboard open for a moment.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPauseMs = 10;

// Opens the clipboard for the lifetime of the object.
class OpenClipboard {
public:
    OpenClipboard() {
        const User32& functions = TheUser32();
        if (!functions.HasClipboard()) return;
        for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
            open_ = functions.openClipboard(nullptr);
            if (!open_) Sleep(kOpenPauseMs);
        }
    }
    ~OpenClipboard() {
        if (open_) TheUser32().closeClipboard();
    }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

// Copies size bytes into new global memory for the clipboard and hands it over;
// the clipboard owns the memory once it took it.
bool Put(UINT format, const void* data, std::size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
    if (TheUser32().setClipboardData(format, memory)) return true;
    GlobalFree(memory);
    return false;
}

// The text of a clipboard format up to its terminating zero, or false.
template <typename Char>
bool Take(UINT format, std::basic_string<Char>& text) {
    const HANDLE data = TheUser32().getClipboardData(format);
    if (!data) return false;
    const auto* chars = static_cast<const Char*>(GlobalLock(data));
    if (!chars) return false;
    const std::size_t capacity = GlobalSize(data) / sizeof(Char);
    std::size_t length = 0;
    while (length < capacity && chars[length] != 0) ++length;
    text.assign(chars, length);
    GlobalUnlock(data);
    return true;
}

}  // namespace

bool Available() { return TheUser32().HasClipboard(); }

bool Read(std::string& text) {
    OpenClipboard clipboard;
    if (!clipboard.IsOpen()) return false;
    std::wstring wide;
    if (Take(CF_UNICODETEXT, wide)) {
        text = Cp852Of(wide);
        return true;
    }
    return Take(CF_OEMTEXT, text);
}

bool Write(std::string_view text) {
    OpenClipboard clipboard;
    if (!clipboard.IsOpen() || !TheUser32().emptyClipboard()) return false;
    const std::string oem(text);  // with its terminating zero
    const std::wstring wide = WideOf(text);
    return Put(CF_OEMTEXT, oem.c_str(), oem.size() + 1) &&
           Put(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

}  // namespace platform::win32::clipboard
