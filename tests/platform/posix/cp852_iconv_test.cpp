// The code page 852 table against the system's iconv.
#include <gtest/gtest.h>
#include <iconv.h>

#include "platform/cp852.h"

TEST(Cp852, EveryPrintableByteMatchesIconv) {
    iconv_t cd = iconv_open("UTF-8", "CP852");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "iconv has no CP852";
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8] = {};
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1, outLeft = sizeof out;
        ASSERT_NE(iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<size_t>(-1)) << "byte " << b;
        const std::string expected(out, outPtr);
        const std::string asIs = platform::cp852::ToUtf8(std::string(1, in), platform::cp852::Controls::AsIs);
        EXPECT_EQ(asIs, expected) << "byte " << b;
        // And back.
        EXPECT_EQ(platform::cp852::FromUtf8(expected), std::string(1, in)) << "byte " << b;
    }
    iconv_close(cd);
}
