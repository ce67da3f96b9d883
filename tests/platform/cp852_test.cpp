// The code page 852 table's glyphs and the literal converter.
#include <gtest/gtest.h>

#include "platform/cp852.h"

using namespace platform::literals;

TEST(Cp852, ControlBytesShowAsConsoleGlyphs) {
    using platform::cp852::Controls;
    EXPECT_EQ(platform::cp852::ToUtf8("\x01\x1B\x7F", Controls::AsGlyphs), "☺←⌂");
    EXPECT_EQ(platform::cp852::ToUtf8(std::string(1, '\0'), Controls::AsGlyphs), " ");
}

TEST(Cp852, LiteralsConvertAtCompileTime) {
    constexpr std::string_view text = "Błąd ż─┌"_cp;
    static_assert(text.size() == 8);
    EXPECT_EQ(text, std::string_view("B\x88\xA5" "d \xBE\xC4\xDA"));
}

TEST(Cp852, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(platform::cp852::FromUtf8("a€b"), "a?b");
    EXPECT_EQ(platform::cp852::FromUtf8("a\xFF" "b"), "a?b");  // invalid UTF-8
}
