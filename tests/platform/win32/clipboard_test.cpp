// The system's text clipboard through the console's clipboard operations.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/cp852.h"
#include "platform/win32/api.h"
#include "platform/win32/clipboard.h"

namespace {

using namespace platform::literals;
namespace clipboard = platform::win32::clipboard;

TEST(Clipboard, PolishTextGoesThereAndBack) {
    ASSERT_TRUE(clipboard::Available());
    const std::string text("Zażółć gęślą jaźń"_cp);
    ASSERT_TRUE(clipboard::Write(text));
    std::string read;
    ASSERT_TRUE(clipboard::Read(read));
    EXPECT_EQ(read, text);
}

TEST(Clipboard, OtherProgramsPasteTheLetters) {
    ASSERT_TRUE(clipboard::Write(std::string("Łódź"_cp)));
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    const std::wstring wide(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(wide, L"\u0141\u00F3d\u017A");
}

TEST(Clipboard, TextPutThereByAnotherProgramIsRead) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    const wchar_t text[] = L"\u017Bak";
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    CloseClipboard();
    std::string read;
    ASSERT_TRUE(clipboard::Read(read));
    EXPECT_EQ(read, std::string("Żak"_cp));
}

}  // namespace
