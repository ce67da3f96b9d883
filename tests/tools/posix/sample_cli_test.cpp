// The qz-sample command: exit codes, and the same tree as the library makes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

#include "tests/support/program_test.h"
#include "tests/tools/sample_tree_reader.h"

namespace {

int runSample(const std::string& arguments) {
    const std::string command = std::string(QZ_SAMPLE_EXECUTABLE) + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SampleCommand, WritesTheSameTreeAsTheLibrary) {
    qztest::TempDir temp;
    const std::string root = (temp.path() / "cli").string();
    ASSERT_EQ(runSample("--seed 31 --firms 3 --persons 5 --entries-per-month 4 --profile quiet '" + root + "'"), 0);
    qzsample::SampleOptions options;
    options.seed = 31;
    options.firms = 3;
    options.personsPerFirm = 5;
    options.entriesPerMonth = 4;
    options.profile = qzsample::Profile::Quiet;
    const sampletest::Tree library = sampletest::makeTree(options, temp.path() / "lib");
    EXPECT_EQ(sampletest::treeHash(sampletest::readTree(root)), sampletest::treeHash(library));
}

TEST(SampleCommand, RefusesBadOptionsAndADirectoryWithData) {
    qztest::TempDir temp;
    EXPECT_EQ(runSample("--firms 0 '" + (temp.path() / "x").string() + "'"), 2);
    EXPECT_EQ(runSample(""), 2);
    EXPECT_FALSE(temp.exists("x"));
    temp.writeFile("full/DANE.REK", "x");
    EXPECT_EQ(runSample("'" + (temp.path() / "full").string() + "'"), 1);
    EXPECT_EQ(temp.readFile("full/DANE.REK"), "x");
    EXPECT_EQ(runSample("--help"), 0);
}

}  // namespace
