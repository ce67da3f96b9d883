// The code page 852 table against the system's iconv, and the literal converter.
#include <gtest/gtest.h>
#include <iconv.h>

#include "platform/cp852.h"

using namespace platform::literals;

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
        const std::string asIs = platform::cp852::toUtf8(std::string(1, in), platform::cp852::Controls::AsIs);
        EXPECT_EQ(asIs, expected) << "byte " << b;
        // And back.
        EXPECT_EQ(platform::cp852::fromUtf8(expected), std::string(1, in)) << "byte " << b;
    }
    iconv_close(cd);
}

TEST(Cp852, ControlBytesShowAsConsoleGlyphs) {
    using platform::cp852::Controls;
    EXPECT_EQ(platform::cp852::toUtf8("\x01\x1B\x7F", Controls::AsGlyphs), "☺←⌂");
    EXPECT_EQ(platform::cp852::toUtf8(std::string(1, '\0'), Controls::AsGlyphs), " ");
}

TEST(Cp852, LiteralsConvertAtCompileTime) {
    constexpr std::string_view text = "Błąd ż─┌"_cp;
    static_assert(text.size() == 8);
    EXPECT_EQ(text, std::string_view("B\x88\xA5" "d \xBE\xC4\xDA"));
}

TEST(Cp852, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(platform::cp852::fromUtf8("a€b"), "a?b");
    EXPECT_EQ(platform::cp852::fromUtf8("a\xFF" "b"), "a?b");  // invalid UTF-8
}
