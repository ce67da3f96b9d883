// Reading text files line by line and writing them whole.
#include "fileio/text_file.h"

#include <gtest/gtest.h>

#include "platform/text_convention.h"
#include "tests/support/program_test.h"

namespace {

class TextFileTest : public qztest::ProgramTest {
protected:
    std::vector<std::string> ReadAll(const std::string& bytes) {
        temp.writeFile("plik.txt", bytes);
        fileio::TextFileReader reader;
        EXPECT_EQ(reader.Open(temp.root() + "plik.txt"), 0);
        std::vector<std::string> lines;
        std::string line;
        while (reader.ReadLine(line)) lines.push_back(line);
        EXPECT_EQ(reader.Error(), 0);
        return lines;
    }
};

using Lines = std::vector<std::string>;

TEST_F(TextFileTest, LineEnds) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n\n", {"a", "", "b", ""}},
        {"\n", {""}},
        {"a\rb\n", {"a\rb"}},
        {"a\r", {"a"}},
        {"a\nb\x1A" "c\n", {"a", "b"}},
        {"\x1A", {}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST_F(TextFileTest, LinesLongerThanOneBlockAndManyLines) {
    const std::string longLine(10000, 'x');
    std::string bytes = longLine + "\r\n";
    Lines expected{longLine};
    for (int i = 0; i < 3000; ++i) {
        bytes += std::to_string(i) + "\r\n";
        expected.push_back(std::to_string(i));
    }
    EXPECT_EQ(ReadAll(bytes), expected);
}

TEST_F(TextFileTest, MissingFileDoesNotOpen) {
    fileio::TextFileReader reader;
    EXPECT_EQ(reader.Open(temp.root() + "brak.txt"), platform::err::FileNotFound);
    std::string line;
    EXPECT_FALSE(reader.ReadLine(line));
}

TEST_F(TextFileTest, WriteEndsEachLineThePlatformsWay) {
    const std::string name = temp.root() + "out.txt";
    ASSERT_EQ(fileio::WriteTextFile(name, {"[PATHS]", "", "KPR=x"}), 0);
    const std::string end(platform::kTextLineEnd);
    EXPECT_EQ(temp.readFile("out.txt"), "[PATHS]" + end + end + "KPR=x" + end);
    // Overwriting replaces the whole content.
    ASSERT_EQ(fileio::WriteTextFile(name, {"y"}), 0);
    EXPECT_EQ(temp.readFile("out.txt"), "y" + end);
}

TEST_F(TextFileTest, WriteIntoMissingDirectoryFails) {
    EXPECT_NE(fileio::WriteTextFile(temp.root() + "brak/out.txt", {"a"}), 0);
    EXPECT_FALSE(temp.exists("brak"));
}

}  // namespace
