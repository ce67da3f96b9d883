// Letter case of code page 852.
#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "platform/cp852_case.h"

namespace {

using namespace platform::literals;
using platform::cp852::Lower;
using platform::cp852::Upper;

std::uint8_t byteOf(std::string_view letter) { return static_cast<std::uint8_t>(letter[0]); }

std::string upperText(std::string_view text) {
    std::string out;
    for (char c : text) out += static_cast<char>(Upper(static_cast<std::uint8_t>(c)));
    return out;
}

TEST(Cp852Case, PolishAndOtherLettersOfTheTable) {
    EXPECT_EQ(upperText("łódź ąćęńśżź üëäöőčšűéá"_cp), "ŁÓDŹ ĄĆĘŃŚŻŹ ÜËÄÖŐČŠŰÉÁ"_cp);
    EXPECT_EQ(Upper(byteOf("ż"_cp)), 189);
    EXPECT_EQ(Upper(byteOf("ß"_cp)), byteOf("ß"_cp)) << "no upper partner in the table";
    EXPECT_EQ(Upper('1'), '1');
    EXPECT_EQ(Upper('{'), '{');
}

TEST(Cp852Case, LowerIsTheMirrorImage) {
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (Upper(byte) != byte) {
            EXPECT_EQ(Lower(Upper(byte)), byte) << "byte " << c;
        }
        if (Lower(byte) != byte) {
            EXPECT_EQ(Upper(Lower(byte)), byte) << "byte " << c;
        }
    }
    EXPECT_EQ(Lower('Q'), 'q');
    EXPECT_EQ(Lower(byteOf("Ź"_cp)), byteOf("ź"_cp));
}

}  // namespace
