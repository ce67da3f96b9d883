// The file-size probe that decides whether a file exists for the converter.
#include "convert/copying/file_size.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/program_test.h"

namespace {

class FileSizeTest : public qztest::ProgramTest {};

TEST_F(FileSizeTest, SizeOfOrdinaryFilesOnly) {
    temp.writeFile("DANE.DAT", std::string(103, 'x'));
    temp.writeFile("PUSTY.DAT", "");
    std::filesystem::create_directory(temp.path() / "KATALOG");
    const struct {
        const char* name;
        std::uint64_t size;
    } cases[] = {
        {"DANE.DAT", 103},
        {"dane.dat", 103},  // a tree copied from the data's home platform differs in case
        {"PUSTY.DAT", 0},
        {"BRAK.DAT", 0},
        {"KATALOG", 0},
        {"BRAK/DANE.DAT", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(convert::ProbeFileSize(temp.root() + c.name), c.size) << c.name;
}

}  // namespace
