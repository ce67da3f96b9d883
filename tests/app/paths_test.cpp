// Run paths: the program's base path, default roots, the list file and the path file.
#include "app/paths.h"
#include "app/path_check.h"

#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/text_convention.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform::literals;

constexpr char S = platform::kSeparator;

// Writes "/" in a test path as the platform's separator.
std::string P(std::string path) {
    for (char& c : path)
        if (c == '/') c = S;
    return path;
}

TEST(ProgramPaths, BasePathLosesOnlyTheFileNamesExtension) {
    const struct {
        std::string executable;
        std::string base;
        std::string directory;
    } cases[] = {
        {P("/opt/kpr/qz23-24"), P("/opt/kpr/qz23-24"), P("/opt/kpr/")},
        {P("/opt/kpr/qz23-24.EXE"), P("/opt/kpr/qz23-24"), P("/opt/kpr/")},
        {P("/opt/kpr.2024/qz23-24"), P("/opt/kpr.2024/qz23-24"), P("/opt/kpr.2024/")},
        {P("/opt/kpr.2024/qz.23.exe"), P("/opt/kpr.2024/qz.23"), P("/opt/kpr.2024/")},
        {"qz23-24.exe", "qz23-24", ""},
        {P("/qz23-24"), P("/qz23-24"), P("/")},
        {"", "", ""},
        // A deep directory is not cut short: the files beside the program are found.
        {P("/" + std::string(100, 'd') + "/qz23-24"), P("/" + std::string(100, 'd') + "/qz23-24"),
         P("/" + std::string(100, 'd') + "/")},
    };
    for (const auto& c : cases) {
        const app::RunPaths paths = app::ProgramPaths(c.executable);
        EXPECT_EQ(paths.programBase, c.base) << c.executable;
        EXPECT_EQ(paths.programDirectory, c.directory) << c.executable;
        EXPECT_EQ(app::PathFileName(paths), c.base + ".PTH") << c.executable;
        EXPECT_EQ(app::ListFileName(paths), c.base + ".LST") << c.executable;
    }
}

TEST(ProgramPaths, DefaultRoots) {
    app::RunPaths paths = app::ProgramPaths(P("/prog/qz23-24"));
    app::SetDefaultRoots(paths, "");
    EXPECT_EQ(paths.root2023, P("/KPR_2023/"));
    EXPECT_EQ(paths.root2024, P("/prog/"));

    // The argument is taken as given; the separator comes with the check on page 1.
    app::SetDefaultRoots(paths, P("E:/DANE2024"));
    EXPECT_EQ(paths.root2024, P("E:/DANE2024"));
    EXPECT_EQ(paths.root2023, P("/KPR_2023/"));
}

TEST(ProgramPaths, DriveLetterIsDroppedOnlyWherePathsHaveOne) {
    app::RunPaths paths = app::ProgramPaths(P("C:/KPR/2024/qz23-24.EXE"));
    app::SetDefaultRoots(paths, "");
    EXPECT_EQ(paths.root2024, platform::PathsHaveDriveLetters() ? P("/KPR/2024/") : P("C:/KPR/2024/"));

    // Where there are drive letters, a directory without one keeps its start.
    paths = app::ProgramPaths(P("/srv/kpr/qz23-24"));
    app::SetDefaultRoots(paths, "");
    EXPECT_EQ(paths.root2024, P("/srv/kpr/"));
}

TEST(RootSpelling, A2024RootInThe2023TreeIsFoundHoweverSpelt) {
    const std::string here = platform::CurrentDirectory();
    const struct {
        std::string root2023;
        std::string root2024;
        bool inside;
    } cases[] = {
        {P("/KPR_2023/"), P("/kpr_2023"), true},
        {P("/KPR_2023/"), P("/KPR_2023///NOWY//"), true},
        {P(std::string("/DANE/ŁÓDŹ/"_cp)), P(std::string("/dane/łódź/2024/"_cp)), true},
        {here, "", true},
        {here, "NOWY", true},
        {"C:/KPR_2023/", "c:\\kpr_2023\\Nowy", platform::PathsHaveDriveLetters()},
        {P("/KPR_2023/"), P("/KPR_2023A/"), false},
        {P("/KPR_2023/NOWY/"), P("/KPR_2023/"), false},
    };
    for (const auto& c : cases) {
        app::RunPaths paths;
        paths.root2023 = c.root2023;
        paths.root2024 = c.root2024;
        EXPECT_EQ(app::LiesIn2023Tree(paths), c.inside) << c.root2023 << " " << c.root2024;
    }
    EXPECT_EQ(app::OneSpelling(P("/kpr_2023//")), app::OneSpelling(P("/KPR_2023")));
}

class PathFilesTest : public qztest::ProgramTest {
protected:
    std::string End() const { return std::string(platform::kTextLineEnd); }
};

TEST_F(PathFilesTest, ListFileEntries) {
    temp.writeFile("qz23-24.LST",
                   "PLIK1.DAT\r\n"
                   "\r\n"
                   "ZRODLO.DAT>CEL.DAT\n"
                   "123456789012345678901234567890\n"
                   "ZRODLO.DAT>BARDZO_DLUGI_CEL.DAT\r\n"
                   "ostatni.txt");
    const std::vector<std::string> expected = {
        "PLIK1.DAT", "", "ZRODLO.DAT>CEL.DAT", "1234567890123456789012345", "ZRODLO.DAT>BARDZO_DLUGI_C", "ostatni.txt",
    };
    EXPECT_EQ(app::ReadListFile(temp.root() + "qz23-24.LST"), expected);
}

TEST_F(PathFilesTest, MissingListFileGivesAnEmptyList) {
    EXPECT_TRUE(app::ReadListFile(temp.root() + "qz23-24.LST").empty());
}

TEST_F(PathFilesTest, ReadPathFile) {
    const struct {
        const char* content;
        std::string root2023;
        std::string root2024;
    } cases[] = {
        {"[PATHS]\r\nKPR_2023=/dane/2023\r\nKPR_2024=/dane/2024\r\n", P("/dane/2023/"), P("/dane/2024/")},
        {"KPR_2024=/x/A\n", P("/KPR_2023/"), P("/x/A/")},
        {"KPR_2024=/a\nKPR_2023=/b\nKPR_2024=/c\n", P("/b/"), P("/c/")},
        {"kpr_2024=/lower\nKpr_2023=/mixed\n", P("/KPR_2023/"), "/arg"},
        {" KPR_2024=/blank\n[PATHS]\n", P("/KPR_2023/"), "/arg"},
        {"KPR_2024=/ends/\n", P("/KPR_2023/"), P("/ends//")},
        {"KPR_2024=\n", P("/KPR_2023/"), P("/")},
        {"KPR_2023= /spaces \n", P(" /spaces /"), "/arg"},
        {"KPR_2024=/cr\r\r\r\nKPR_2023=/b\r", P("/b/"), P("/cr/")},
        {"", P("/KPR_2023/"), "/arg"},
    };
    for (const auto& c : cases) {
        temp.writeFile("qz23-24.PTH", P(c.content));
        app::RunPaths paths = app::ProgramPaths(temp.root() + "qz23-24");
        app::SetDefaultRoots(paths, "/arg");
        app::ReadPathFile(app::PathFileName(paths), paths);
        EXPECT_EQ(paths.root2023, c.root2023) << testing::PrintToString(c.content);
        EXPECT_EQ(paths.root2024, c.root2024) << testing::PrintToString(c.content);
    }
}

TEST_F(PathFilesTest, PathFileIsAnnouncedInTheLog) {
    temp.writeFile("qz23-24.PTH", "[PATHS]\n");
    app::RunPaths paths = app::ProgramPaths(temp.root() + "qz23-24");
    app::ReadPathFile(app::PathFileName(paths), paths);
    EXPECT_TRUE(screen.ScreenContains("Ustalenie ścieżek dostępu")) << screen.ScreenText();
}

TEST_F(PathFilesTest, MissingPathFileKeepsTheDefaults) {
    app::RunPaths paths = app::ProgramPaths(temp.root() + "qz23-24");
    app::SetDefaultRoots(paths, "/arg");
    app::ReadPathFile(app::PathFileName(paths), paths);
    EXPECT_EQ(paths.root2023, P("/KPR_2023/"));
    EXPECT_EQ(paths.root2024, "/arg");
    EXPECT_FALSE(screen.ScreenContains("Ustalenie")) << screen.ScreenText();
}

TEST_F(PathFilesTest, WritePathFile) {
    app::RunPaths paths = app::ProgramPaths(temp.root() + "qz23-24");
    paths.root2023 = P("/dane/2023/");
    paths.root2024 = P("/dane/2024/");
    ASSERT_EQ(app::WritePathFile(app::PathFileName(paths), paths), 0);
    EXPECT_EQ(temp.readFile("qz23-24.PTH"),
              "[PATHS]" + End() + P("KPR_2023=/dane/2023") + End() + P("KPR_2024=/dane/2024") + End());

    paths.root2024 = "";
    ASSERT_EQ(app::WritePathFile(app::PathFileName(paths), paths), 0);
    EXPECT_EQ(temp.readFile("qz23-24.PTH"), "[PATHS]" + End() + P("KPR_2023=/dane/2023") + End() + "KPR_2024=" + End());
}

TEST_F(PathFilesTest, RootsEndingWithTheSeparatorSurviveARoundTrip) {
    app::RunPaths written = app::ProgramPaths(temp.root() + "qz23-24");
    written.root2023 = P("/stare dane/KPR 2023/");
    written.root2024 = P(std::string("/nowe/łódź/"_cp));
    ASSERT_EQ(app::WritePathFile(app::PathFileName(written), written), 0);

    app::RunPaths read = app::ProgramPaths(temp.root() + "qz23-24");
    app::SetDefaultRoots(read, "/arg");
    app::ReadPathFile(app::PathFileName(read), read);
    EXPECT_EQ(read.root2023, written.root2023);
    EXPECT_EQ(read.root2024, written.root2024);
}

TEST_F(PathFilesTest, UnwritablePathFileReportsAnError) {
    app::RunPaths paths = app::ProgramPaths(temp.root() + "brak" + S + "qz23-24");
    paths.root2023 = P("/a/");
    paths.root2024 = P("/b/");
    EXPECT_NE(app::WritePathFile(app::PathFileName(paths), paths), 0);
    EXPECT_FALSE(temp.exists("brak"));
}

}  // namespace
