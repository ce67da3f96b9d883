// The temporary directory and unique names in it.
#include "fileio/temp_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "platform/files.h"
#include "platform/process.h"
#include "tests/support/program_test.h"

namespace {

constexpr const char* kVariables[] = {"qzTEMP", "RIZARO", "TEMP", "TMP"};

// Starts each test with none of the temporary-directory variables set and puts
// them back afterwards.
class TempFilesTest : public qztest::ProgramTest {
protected:
    TempFilesTest() {
        for (int i = 0; i < 4; ++i) {
            saved_[i] = platform::Environment(kVariables[i]);
            platform::SetEnvironment(kVariables[i], std::nullopt);
        }
    }
    ~TempFilesTest() override {
        for (int i = 0; i < 4; ++i) platform::SetEnvironment(kVariables[i], saved_[i]);
    }
    static void Set(const char* variable, const std::string& value) {
        platform::SetEnvironment(variable, value);
    }
    // A path inside the test's directory in the program's form, no final separator.
    std::string At(const std::string& relative) const { return temp.root() + relative; }
    void MakeDirectory(const std::string& relative) const {
        std::filesystem::create_directories(temp.path() / relative);
    }
    // The number the name should carry for the clock's current tick, straight from the
    // generator's congruence.
    std::uint32_t ExpectedNumber() {
        const std::uint64_t state = (std::uint64_t{clock.TickMs()} * 134775813u + 1u) & 0xFFFFFFFFu;
        return static_cast<std::uint32_t>((state * 32767u) >> 32);
    }
    static std::string Hex(std::uint32_t n) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(n));
        return digits;
    }

private:
    std::optional<std::string> saved_[4];
};

TEST_F(TempFilesTest, QzTempWinsOverTempAndTmp) {
    MakeDirectory("a");
    MakeDirectory("b");
    MakeDirectory("c");
    Set("qzTEMP", At("a"));
    Set("TEMP", At("b"));
    Set("TMP", At("c"));
    fileio::InitTempDir();
    EXPECT_EQ(fileio::TempDir(), At("a"));
}

TEST_F(TempFilesTest, MissingDirectoryIsPassedOver) {
    MakeDirectory("b");
    Set("qzTEMP", At("missing"));
    Set("TEMP", At("b"));
    fileio::InitTempDir();
    EXPECT_EQ(fileio::TempDir(), At("b"));
}

TEST_F(TempFilesTest, FileAndEmptyValueArePassedOver) {
    temp.writeFile("plik.txt", "x");
    MakeDirectory("r");
    MakeDirectory("t");
    Set("qzTEMP", At("plik.txt"));
    Set("RIZARO", At("r"));
    fileio::InitTempDir();
    EXPECT_EQ(fileio::TempDir(), At("r"));

    Set("qzTEMP", "");
    Set("RIZARO", "");
    Set("TMP", At("t"));
    fileio::InitTempDir();
    EXPECT_EQ(fileio::TempDir(), At("t"));
}

TEST_F(TempFilesTest, WithoutAUsableVariableTheCurrentDirectory) {
    Set("TEMP", At("missing"));
    fileio::InitTempDir();
    EXPECT_EQ(fileio::TempDir(), platform::CurrentDirectory());
}

TEST_F(TempFilesTest, NameCarriesTheDrawnNumber) {
    clock.Advance(123456);
    const std::string name = fileio::UniqueName(At("d"), ".abc");
    EXPECT_EQ(name, At("d") + platform::kSeparator + "~qz" + Hex(ExpectedNumber()) + ".abc");
    EXPECT_FALSE(temp.exists("d")) << "nothing is created";
}

TEST_F(TempFilesTest, NoSecondSeparator) {
    clock.Advance(777);
    MakeDirectory("d");
    EXPECT_EQ(fileio::TempName(At("d") + platform::kSeparator), fileio::TempName(At("d")));
    EXPECT_EQ(fileio::TempName(At("d")), At("d") + platform::kSeparator + "~qz" + Hex(ExpectedNumber()) + ".tmp");
}

TEST_F(TempFilesTest, EmptyDirectoryMeansTempDir) {
    MakeDirectory("t");
    Set("TMP", At("t"));
    fileio::InitTempDir();
    clock.Advance(42);
    EXPECT_EQ(fileio::TempName(""), At("t") + platform::kSeparator + "~qz" + Hex(ExpectedNumber()) + ".tmp");
}

TEST_F(TempFilesTest, ExistingEntriesOfAnyKindAreStepped) {
    clock.Advance(98765);
    const std::uint32_t n = ExpectedNumber();
    temp.writeFile("~qz" + Hex(n) + ".tmp", "taken");
    MakeDirectory("~qz" + Hex(n + 1) + ".tmp");
    // A name that differs only in letter case is the same name on the data's platform.
    temp.writeFile("~QZ" + Hex(n + 2) + ".TMP", "taken");
    EXPECT_EQ(fileio::TempName(temp.root()), temp.root() + "~qz" + Hex(n + 3) + ".tmp");
}

}  // namespace
