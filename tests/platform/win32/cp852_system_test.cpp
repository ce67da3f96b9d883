// The code page 852 table against the code page 852 of Windows.
#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "platform/win32/api.h"

TEST(Cp852, EveryByteMatchesTheSystemsCodePage) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        wchar_t wide[2] = {};
        ASSERT_EQ(MultiByteToWideChar(852, MB_ERR_INVALID_CHARS, byte.data(), 1, wide, 2), 1) << "byte " << b;
        std::string expected;
        platform::cp852::AppendUtf8(expected, wide[0]);
        EXPECT_EQ(platform::cp852::ToUtf8(byte), expected) << "byte " << b;
        EXPECT_EQ(platform::cp852::FromUtf8(expected), byte) << "byte " << b;
    }
}
