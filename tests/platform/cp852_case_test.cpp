// Letter case of code page 852.
#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "platform/cp852_case.h"

namespace {

using namespace platform::literals;
using platform::cp852::lower;
using platform::cp852::upper;

std::uint8_t byteOf(std::string_view letter) { return static_cast<std::uint8_t>(letter[0]); }

std::string upperText(std::string_view text) {
    std::string out;
    for (char c : text) out += static_cast<char>(upper(static_cast<std::uint8_t>(c)));
    return out;
}

TEST(Cp852Case, PolishAndOtherLettersOfTheTable) {
    EXPECT_EQ(upperText("łódź ąćęńśżź üëäöőčšűéá"_cp), "ŁÓDŹ ĄĆĘŃŚŻŹ ÜËÄÖŐČŠŰÉÁ"_cp);
    EXPECT_EQ(upper(byteOf("ż"_cp)), 189);
    EXPECT_EQ(upper(byteOf("ß"_cp)), byteOf("ß"_cp)) << "no upper partner in the table";
    EXPECT_EQ(upper('1'), '1');
    EXPECT_EQ(upper('{'), '{');
}

TEST(Cp852Case, LowerIsTheMirrorImage) {
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (upper(byte) != byte) {
            EXPECT_EQ(lower(upper(byte)), byte) << "byte " << c;
        }
        if (lower(byte) != byte) {
            EXPECT_EQ(upper(lower(byte)), byte) << "byte " << c;
        }
    }
    EXPECT_EQ(lower('Q'), 'q');
    EXPECT_EQ(lower(byteOf("Ź"_cp)), byteOf("ź"_cp));
}

}  // namespace
