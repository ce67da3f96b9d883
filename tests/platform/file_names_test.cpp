// Names on disk found regardless of case, directory search, and the file layer's
// error numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/search_rules.h"
#include "tests/platform/pattern_case.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform;
using namespace platform::literals;
namespace fs = std::filesystem;

std::string contents(FileHandle& file) {
    std::string text(1000, '\0');
    std::size_t done = 0;
    EXPECT_EQ(SeekFile(file, 0), err::Ok);
    EXPECT_EQ(ReadFromFile(file, text.data(), text.size(), done), err::Ok);
    text.resize(done);
    return text;
}

void put(FileHandle& file, std::string_view text) {
    std::size_t done = 0;
    ASSERT_EQ(WriteToFile(file, text.data(), text.size(), done), err::Ok);
    ASSERT_EQ(done, text.size());
}

// The names in a directory, sorted, as the file system holds them.
std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) names.push_back(qztest::utf8Of(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

class FileNames : public ::testing::Test {
protected:
    qztest::TempDir temp;
};

TEST_F(FileNames, ExistingEntryIsFoundInAnyCaseAndReadOverwrittenRenamed) {
    temp.writeFile("FIRMA1/BAZA_AD8.REK", "stare dane");
    const std::string path = temp.root() + "firma1/baza_ad8.rek";

    FileHandle file;
    ASSERT_EQ(OpenSharedFile(path, mode::ReadWrite | mode::DenyNone, file), err::Ok);
    EXPECT_EQ(contents(file), "stare dane");
    ASSERT_EQ(CloseFile(file), err::Ok);

    ASSERT_EQ(CreateOrTruncateFile(path, file), err::Ok);
    put(file, "nowe");
    ASSERT_EQ(CloseFile(file), err::Ok);
    EXPECT_EQ(namesIn(temp.path() / "FIRMA1"), Names{"BAZA_AD8.REK"}) << "never doubled";
    EXPECT_EQ(temp.readFile("FIRMA1/BAZA_AD8.REK"), "nowe");

    ASSERT_EQ(RenameFile(path, temp.root() + "Firma1/baza_ad8.rek~"), err::Ok);
    EXPECT_EQ(namesIn(temp.path() / "FIRMA1"), Names{"baza_ad8.rek~"});
    EXPECT_TRUE(IsOrdinaryFile(temp.root() + "FIRMA1/BAZA_AD8.REK~"));
    EXPECT_FALSE(IsOrdinaryFile(path));
}

TEST_F(FileNames, PolishLettersMatchInEitherCase) {
    temp.writeFile("ŻÓŁW/Źródło.ąę", "x");
    FileHandle file;
    EXPECT_EQ(OpenSharedFile(temp.root() + std::string("żółw/ŹRÓDŁO.ĄĘ"_cp), mode::ReadOnly, file), err::Ok);
    EXPECT_TRUE(DirectoryExists(temp.root() + std::string("ŻÓŁW"_cp)));
    EXPECT_TRUE(IsOrdinaryFile(temp.root() + std::string("żółw/źródło.ąę"_cp)));
    EXPECT_FALSE(IsOrdinaryFile(temp.root() + std::string("zolw/zrodlo.ae"))) << "letters are not stripped of marks";
}

TEST_F(FileNames, NewFileGetsTheNameAsGiven) {
    FileHandle file;
    ASSERT_EQ(CreateOrTruncateFile(temp.root() + "Nowy_Plik.Rek", file), err::Ok);
    ASSERT_EQ(CreateOrTruncateFile(temp.root() + std::string("Łąka.txt"_cp), file), err::Ok);
    ASSERT_EQ(MakeDirectory(temp.root() + "#BIN024"), err::Ok);
    EXPECT_EQ(namesIn(temp.path()), (Names{"#BIN024", "Nowy_Plik.Rek", "Łąka.txt"}));
}

TEST_F(FileNames, RenameOverAnotherFileIsRefused) {
    temp.writeFile("BAZA.REK", "1");
    temp.writeFile("INNA.REK", "2");
    EXPECT_EQ(RenameFile(temp.root() + "baza.rek", temp.root() + "inna.rek"), err::AlreadyExists);
    EXPECT_EQ(temp.readFile("INNA.REK"), "2");
    EXPECT_EQ(temp.readFile("BAZA.REK"), "1");
    EXPECT_EQ(RenameFile(temp.root() + "brak.rek", temp.root() + "x.rek"), err::FileNotFound);
}

TEST_F(FileNames, RenameOnlyChangingCase) {
    temp.writeFile("BAZA.REK", "1");
    temp.writeFile("INNA.REK", "2");
    EXPECT_EQ(RenameFile(temp.root() + "BAZA.REK", temp.root() + "Baza.rek"), err::Ok);
    EXPECT_EQ(RenameFile(temp.root() + "baza.rek", temp.root() + "Baza.rek"), err::Ok) << "nothing to change";
    if (qztest::underWine()) GTEST_SKIP() << "Wine 8 keeps the old case of a name renamed only in case";
    EXPECT_EQ(namesIn(temp.path()), (Names{"Baza.rek", "INNA.REK"}));
}

TEST_F(FileNames, MakeDirectoryOverAnExistingNameInAnotherCase) {
    fs::create_directory(temp.path() / "#BIN024");
    EXPECT_EQ(MakeDirectory(temp.root() + "#bin024"), err::AlreadyExists);
    EXPECT_EQ(MakeDirectory(temp.root() + "brak/nowy"), err::PathNotFound);
    EXPECT_EQ(MakeDirectory(temp.root() + "NOWY/"), err::Ok);
    EXPECT_TRUE(DirectoryExists(temp.root() + "nowy"));
    EXPECT_FALSE(IsOrdinaryFile(temp.root() + "nowy")) << "a directory is no file";
}

// --- Directory search ----------------------------------------------------------------

std::vector<std::string> search(const std::string& pattern, std::uint8_t mask, int& firstCode) {
    DirectorySearch search;
    FoundEntry entry;
    std::vector<std::string> found;
    firstCode = search.First(pattern, mask, entry);
    int code = firstCode;
    while (code == err::Ok) {
        found.push_back(entry.name);
        code = search.Next(entry);
    }
    EXPECT_TRUE(firstCode != err::Ok || code == err::NoMoreFiles) << "search ends with " << code;
    return found;
}

TEST_F(FileNames, SearchByPatternIgnoresCaseAndSortsByName) {
    for (const char* name : {"2024D712.REK", "2024d71.rek", "2024D7.REK", "2024D7123.REK", "2024D71", "2023D712.REK",
                             "2024UE01.REK", "2024ue.txt"})
        temp.writeFile(name, "x");
    int code = -1;
    EXPECT_EQ(search(temp.root() + "2024D7??.*", attr::ReadOnly | attr::Hidden | attr::System | attr::Archive, code),
              (Names{"2024D7.REK", "2024D71", "2024d71.rek", "2024D712.REK"}));
    EXPECT_EQ(code, err::Ok);
    EXPECT_EQ(search(temp.root() + "2024ue*.*", attr::AnyFile, code), (Names{"2024ue.txt", "2024UE01.REK"}));
    EXPECT_EQ(search(temp.root() + "*.rek", attr::AnyFile, code).size(), 6u);
}

TEST_F(FileNames, SearchHonoursTheAttributeMask) {
    temp.writeFile("plik.dat", "12345");
    fs::create_directory(temp.path() / "KATALOG");
    int code = -1;
    EXPECT_EQ(search(temp.root() + "*", 0, code), Names{"plik.dat"});
    EXPECT_EQ(search(temp.root() + "*", attr::Directory, code), (Names{"KATALOG", "plik.dat"}));
    EXPECT_EQ(search(temp.root() + "katalog", attr::ReadOnly | attr::Archive, code), Names{});
    EXPECT_EQ(code, err::FileNotFound) << "a directory does not fit a mask without the directory bit";

    DirectorySearch one;
    FoundEntry entry;
    ASSERT_EQ(one.First(temp.root() + "PLIK.DAT", attr::AnyFile, entry), err::Ok);
    EXPECT_EQ(entry.name, "plik.dat");
    EXPECT_EQ(entry.size, 5u);
    EXPECT_EQ(entry.attributes, attr::Archive);
    EXPECT_EQ(one.Next(entry), err::NoMoreFiles);
    ASSERT_EQ(one.First(temp.root() + "Katalog", attr::Directory, entry), err::Ok);
    EXPECT_EQ(entry.attributes & attr::Directory, attr::Directory);
}

TEST_F(FileNames, SearchErrorNumbers) {
    temp.writeFile("plik.dat", "");
    int code = -1;
    search(temp.root() + "*.rek", attr::AnyFile, code);
    EXPECT_EQ(code, err::FileNotFound) << "nothing fits";
    search(temp.root() + "brak/*.*", attr::AnyFile, code);
    EXPECT_EQ(code, err::PathNotFound);
    search(temp.root() + "plik.dat/*.*", attr::AnyFile, code);
    EXPECT_EQ(code, err::PathNotFound) << "a file as a directory";
    search(temp.root() + "p*/plik.dat", attr::AnyFile, code);
    EXPECT_EQ(code, err::BadFormat) << "a wildcard in a directory";
    search(temp.root() + "pl\x01k.dat", attr::AnyFile, code);
    EXPECT_EQ(code, err::BadFormat);
    DirectorySearch never;
    FoundEntry entry;
    EXPECT_EQ(never.Next(entry), err::NoMoreFiles);
}

class Patterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(Patterns, FitAsOnTheHomePlatform) {
    const PatternCase c = GetParam();
    EXPECT_EQ(FitsPattern(KeyOfProgramName(c.pattern), KeyOfProgramName(c.name)), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Wildcards, Patterns,
    ::testing::Values(PatternCase{"*", "abc", true}, PatternCase{"*", ".profile", true},
                      PatternCase{"*.*", "abc", true}, PatternCase{"*.*", "abc.def.ghi", true},
                      PatternCase{"*.rek", "A.REK", true}, PatternCase{"*.rek", "a.rek.bak", false},
                      PatternCase{"*.rek", "arek", false}, PatternCase{"a?c", "abc", true},
                      PatternCase{"a?c", "ac", false}, PatternCase{"a?c", "abbc", false},
                      PatternCase{"ab?", "ab", true}, PatternCase{"ab??.x", "ab.x", true},
                      PatternCase{"ab??.x", "abcde.x", false}, PatternCase{"abc.*", "abc", true},
                      PatternCase{"abc.*", "abcd", false}, PatternCase{"abc.", "abc", true},
                      PatternCase{"a*b*c", "aXbYbZc", true}, PatternCase{"a*b*c", "aXbYbZ", false},
                      PatternCase{"2024K990.3", "2024k990.3", true},
                      PatternCase{"\xBE*", "\xBD.REK", true},  // "ż*" fits "Ż.REK"
                      PatternCase{"\xA5?", "\xA4\xA9", true},   // "ą?" fits "Ąę"
                      PatternCase{"z*", "\xBD", false}));       // "Ż" is no "Z"

// --- Error numbers and handle rules ---------------------------------------------------

TEST_F(FileNames, OpenErrorNumbers) {
    temp.writeFile("plik.dat", "abc");
    fs::create_directory(temp.path() / "KATALOG");
    FileHandle file;
    EXPECT_EQ(OpenSharedFile(temp.root() + "brak.dat", mode::ReadOnly, file), err::FileNotFound);
    EXPECT_EQ(OpenSharedFile(temp.root() + "brak/plik.dat", mode::ReadOnly, file), err::PathNotFound);
    EXPECT_EQ(OpenSharedFile(temp.root() + "plik.dat/x", mode::ReadOnly, file), err::PathNotFound);
    EXPECT_EQ(OpenSharedFile(temp.root() + "katalog", mode::ReadOnly, file), err::AccessDenied);
    EXPECT_EQ(OpenSharedFile(temp.root() + "pl*k.dat", mode::ReadOnly, file), err::BadFormat);
    EXPECT_EQ(OpenSharedFile(temp.root() + "pl?k.dat", mode::ReadOnly, file), err::BadFormat);
    EXPECT_EQ(OpenSharedFile(temp.root() + std::string("pl\0k", 4), mode::ReadOnly, file), err::BadFormat);
    EXPECT_EQ(OpenSharedFile(temp.root() + std::string(300, 'a'), mode::ReadOnly, file), err::BadFormat);
    EXPECT_EQ(OpenSharedFile("", mode::ReadOnly, file), err::PathNotFound);
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "katalog", file), err::AccessDenied);
    EXPECT_EQ(CreateOrTruncateFile(temp.root() + "brak/nowy.dat", file), err::PathNotFound);
    EXPECT_EQ(RemoveFile(temp.root() + "brak.dat"), err::FileNotFound);
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(FileNames, HandleKeepsTheAccessItWasOpenedWith) {
    temp.writeFile("plik.dat", "abc");
    const std::string path = temp.root() + "plik.dat";
    char buffer[8];
    std::size_t done = 99;
    FileHandle reader;
    ASSERT_EQ(OpenSharedFile(path, mode::ReadOnly | mode::DenyNone, reader), err::Ok);
    EXPECT_EQ(WriteToFile(reader, "x", 1, done), err::AccessDenied);
    EXPECT_EQ(done, 0u);
    FileHandle writer;
    ASSERT_EQ(OpenSharedFile(path, mode::WriteOnly | mode::DenyNone, writer), err::Ok);
    EXPECT_EQ(ReadFromFile(writer, buffer, sizeof buffer, done), err::AccessDenied);
    ASSERT_EQ(SeekFile(writer, 1), err::Ok);
    put(writer, "ZZZZ");
    std::uint64_t size = 0;
    EXPECT_EQ(FileSize(writer, size), err::Ok);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(FlushFile(writer), err::Ok);
    EXPECT_EQ(contents(reader), "aZZZZ");
    ASSERT_EQ(ReadFromFile(reader, buffer, sizeof buffer, done), err::Ok);
    EXPECT_EQ(done, 0u) << "at the end";
}

TEST_F(FileNames, MovedHandleOwnsTheFile) {
    temp.writeFile("plik.dat", "abc");
    FileHandle first;
    ASSERT_EQ(OpenSharedFile(temp.root() + "plik.dat", mode::ReadWrite | mode::DenyAll, first), err::Ok);
    ASSERT_EQ(LockRange(first, 0, 1), err::Ok);
    FileHandle second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(UnlockRange(second, 0, 1), err::Ok) << "the lock moved with the handle";
    FileHandle third;
    third = std::move(second);
    EXPECT_EQ(CloseFile(third), err::Ok);
    FileHandle again;
    EXPECT_EQ(OpenSharedFile(temp.root() + "plik.dat", mode::ReadWrite | mode::DenyAll, again), err::Ok);
}

TEST(ProgramPlace, ExecutableAndCurrentDirectory) {
    const std::string exe = ExecutablePath();
    // A full path: from the root of a drive, or from the root.
    if (PathsHaveDriveLetters()) {
        ASSERT_GT(exe.size(), 3u);
        EXPECT_EQ(exe.substr(1, 2), std::string(":") + kSeparator) << exe;
    } else {
        EXPECT_EQ(exe.front(), kSeparator) << exe;
    }
    EXPECT_NE(exe.find("test_platform"), std::string::npos) << exe;
    const std::string here = CurrentDirectory();
    EXPECT_EQ(here.back(), kSeparator);
    EXPECT_TRUE(DirectoryExists(here));
}

}  // namespace
