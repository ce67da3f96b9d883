// Hiding converted ledger files in the 2023 tree by appending "~" to their names.
#include "convert/firm/mark_converted.h"

#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "tests/convert/converter_test.h"

using namespace platform::literals;

namespace {

class MarkConvertedTest : public qztest::ConverterTest {
protected:
    MarkConvertedTest() { temp.writeFile("2024SP.7", "spłaty"); }
};

TEST_F(MarkConvertedTest, TheFileGetsATilde) {
    const std::string path = temp.root() + "2024SP.7";
    convert::ConvertedFiles converted;
    converted.Mark(path);
    EXPECT_TRUE(temp.exists("2024SP.7")) << "renamed only when the firm is registered";
    converted.Rename();
    EXPECT_FALSE(temp.exists("2024SP.7"));
    EXPECT_EQ(temp.readFile("2024SP.7~"), "spłaty");
    // The line is cut at column 80.
    const std::string line = "Zmiana nazwy pliku " + path + " na " + path + "~";
    EXPECT_EQ(screen.BytesAt(1, 3, 80), line.substr(0, 80));
}

TEST_F(MarkConvertedTest, AFailedRenameIsReportedAndKeepsTheFile) {
    temp.writeFile("2024SP.7~", "z poprzedniej konwersji");
    convert::ConvertedFiles converted;
    converted.Mark(temp.root() + "2024SP.7");
    converted.Rename();
    EXPECT_EQ(temp.readFile("2024SP.7"), "spłaty");
    EXPECT_EQ(temp.readFile("2024SP.7~"), "z poprzedniej konwersji");
    EXPECT_EQ(screen.BytesAt(1, 3, 24), "Błąd zmiany nazwy pliku "_cp);
    EXPECT_EQ(screen.CellAt(1, 3).attribute, 0x0C);
    EXPECT_EQ(keyWaits, 0);
}

}  // namespace
