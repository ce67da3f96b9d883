// Names on a POSIX file system: UTF-8 and stray bytes on disk, names that differ
// only in case side by side, symbolic links, hidden dot files, the place of the
// program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/posix/names.h"
#include "tests/platform/pattern_case.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;
namespace fs = std::filesystem;

using Names = std::vector<std::string>;

std::string contents(FileHandle& file) {
    std::string text(1000, '\0');
    std::size_t done = 0;
    EXPECT_EQ(SeekFile(file, 0), err::Ok);
    EXPECT_EQ(ReadFromFile(file, text.data(), text.size(), done), err::Ok);
    text.resize(done);
    return text;
}

class PosixFileNames : public ::testing::Test {
protected:
    qztest::TempDir temp;
};

TEST_F(PosixFileNames, ExactNameWinsOverOtherCases) {
    temp.writeFile("a.rek", "small");
    temp.writeFile("A.REK", "capital");
    FileHandle file;
    ASSERT_EQ(OpenSharedFile(temp.root() + "A.REK", mode::ReadOnly, file), err::Ok);
    EXPECT_EQ(contents(file), "capital");
    ASSERT_EQ(OpenSharedFile(temp.root() + "A.rek", mode::ReadOnly, file), err::Ok);
    EXPECT_EQ(contents(file), "capital") << "the lowest name in byte order";
}

TEST_F(PosixFileNames, CreateNeverFollowsASymbolicLink) {
    temp.writeFile("cel.txt", "chronione");
    fs::create_symlink(temp.path() / "cel.txt", temp.path() / "LINK.REK");
    fs::create_symlink(temp.path() / "nic", temp.path() / "wiszacy.rek");
    FileHandle file;
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "link.rek", file), err::AccessDenied);
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "WISZACY.REK", file), err::AccessDenied);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(temp.readFile("cel.txt"), "chronione");
    EXPECT_FALSE(temp.exists("nic"));
}

TEST_F(PosixFileNames, AnOpenThatMayWriteNeverFollowsASymbolicLink) {
    temp.writeFile("cel.txt", "chronione");
    fs::create_symlink(temp.path() / "cel.txt", temp.path() / "SPISFIRM.DAT");
    const std::uint8_t writing[] = {mode::WriteOnly | mode::DenyNone, mode::ReadWrite | mode::DenyNone,
                                    mode::ReadWrite | mode::DenyAll, mode::WriteOnly};
    for (const std::uint8_t openMode : writing) {
        FileHandle file;
        EXPECT_EQ(OpenSharedFile(temp.root() + "spisfirm.dat", openMode, file), err::AccessDenied) << int(openMode);
        EXPECT_FALSE(file.IsOpen()) << int(openMode);
    }
    EXPECT_EQ(temp.readFile("cel.txt"), "chronione");
    // Reading through a link stays possible: it changes nothing.
    FileHandle reader;
    ASSERT_EQ(OpenSharedFile(temp.root() + "SPISFIRM.DAT", mode::ReadOnly | mode::DenyNone, reader), err::Ok);
    EXPECT_EQ(contents(reader), "chronione");
}

TEST_F(PosixFileNames, NamesThatAreNotUtf8DoNotUpsetTheLookup) {
    temp.writeFile("\xFF\xFE.rek", "a");
    temp.writeFile("\xC1\x81.rek", "overlong A");  // must not pass for "A.rek"
    temp.writeFile("\xE2\x82\xAC.rek", "euro");
    temp.writeFile("zwykly.rek", "b");
    DirectorySearch search;
    FoundEntry entry;
    std::vector<std::string> found;
    for (int code = search.First(temp.root() + "*.rek", attr::AnyFile, entry); code == err::Ok;
         code = search.Next(entry))
        found.push_back(entry.name);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Names{"?.rek", "??.rek", "??.rek", "zwykly.rek"}));
    FileHandle file;
    EXPECT_EQ(OpenSharedFile(temp.root() + "??.rek", mode::ReadOnly, file), err::BadFormat);
    EXPECT_EQ(OpenSharedFile(temp.root() + "a.rek", mode::ReadOnly, file), err::FileNotFound);
    EXPECT_EQ(OpenSharedFile(temp.root() + "ZWYKLY.REK", mode::ReadOnly, file), err::Ok);
}

TEST_F(PosixFileNames, DotFilesAreHiddenAndBrokenLinksNeverFound) {
    temp.writeFile("plik.dat", "12345");
    temp.writeFile(".ukryty", "");
    fs::create_symlink(temp.path() / "brak", temp.path() / "zerwany");
    DirectorySearch search;
    FoundEntry entry;
    Names found;
    for (int code = search.First(temp.root() + "*", attr::Hidden, entry); code == err::Ok; code = search.Next(entry))
        found.push_back(entry.name);
    EXPECT_EQ(found, (Names{".ukryty", "plik.dat"}));
    ASSERT_EQ(search.First(temp.root() + ".UKRYTY", attr::Hidden, entry), err::Ok);
    EXPECT_EQ(entry.attributes, attr::Archive | attr::Hidden);
    EXPECT_EQ(search.First(temp.root() + ".ukryty", 0, entry), err::FileNotFound);
}

class DiskPatterns : public ::testing::TestWithParam<PatternCase> {};

// Patterns in code page 852 against names as a POSIX file system holds them.
TEST_P(DiskPatterns, FitNamesOnDisk) {
    const PatternCase c = GetParam();
    EXPECT_EQ(FitsPattern(KeyOfProgramName(c.pattern), posix::KeyOfDiskName(c.name)), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, DiskPatterns,
    ::testing::Values(PatternCase{"*.rek", "A.REK", true}, PatternCase{"x", "\xC5\xBC", false},
                      PatternCase{"\xBE*", "\xC5\xBB.REK", true},  // "ż*" fits "Ż.REK" (UTF-8 on disk)
                      PatternCase{"?", "\xFF", true}, PatternCase{"?", "\xFF\xFE", false},
                      PatternCase{"?", "\xE2\x82\xAC", true}));  // "€" is one character

TEST(ProgramPlace, PathsBeginAtTheRoot) {
    EXPECT_FALSE(PathsHaveDriveLetters());
    EXPECT_EQ(kSeparator, '/');
}

}  // namespace
