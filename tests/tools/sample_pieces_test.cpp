// The generator's building blocks: scrambling, identifiers, Polish names, records,
// the command line and the tree writer.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/cp852.h"
#include "platform/random.h"
#include "tests/support/program_test.h"
#include "tools/qz-sample/identifiers.h"
#include "tools/qz-sample/polish_names.h"
#include "tools/qz-sample/record_buffer.h"
#include "tools/qz-sample/sample_options.h"
#include "tools/qz-sample/scramble.h"
#include "tools/qz-sample/tree_writer.h"

namespace {

using namespace qzsample;
using namespace platform::literals;

TEST(ScrambleRecord, CombinesTheMiddleWithTheSeededSequenceAndIsItsOwnInverse) {
    std::string record(2048, '\0');
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<char>(i * 7);
    const std::string original = record;
    ScrambleRecord(record);
    EXPECT_EQ(record.substr(0, 14), original.substr(0, 14));
    EXPECT_EQ(record.substr(2022), original.substr(2022));
    // The first draws of the generator from seed 0x5A, below 255.
    const std::uint8_t draws[] = {210, 178, 152, 135, 40, 230};
    for (std::size_t i = 0; i < std::size(draws); ++i)
        EXPECT_EQ(static_cast<std::uint8_t>(record[14 + i]), static_cast<std::uint8_t>(original[14 + i]) ^ draws[i]) << i;
    EXPECT_NE(record.substr(14, 2008), original.substr(14, 2008));
    ScrambleRecord(record);
    EXPECT_EQ(record, original);
    // The generator goes on from where the 2008 draws of the sequence leave it.
    platform::SeedRandom(0x5A);
    for (int i = 0; i < 2008; ++i) platform::RandomBelow(255);
    const std::uint32_t next = platform::RandomBelow(1000);
    platform::SeedRandom(1);
    ScrambleRecord(record);
    EXPECT_EQ(platform::RandomBelow(1000), next);
}

int digit(const std::string& text, std::size_t i) { return text[i] - '0'; }

TEST(Identifiers, CarryValidCheckDigits) {
    SampleRandom random(9);
    for (int round = 0; round < 50; ++round) {
        std::string nip = makeNip(random);
        ASSERT_EQ(nip.size(), 13u) << nip;
        std::erase(nip, '-');
        const int nipWeights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
        int sum = 0;
        for (int i = 0; i < 9; ++i) sum += digit(nip, i) * nipWeights[i];
        EXPECT_EQ(sum % 11, digit(nip, 9)) << nip;

        const PackedDate birth{17, 3, static_cast<std::uint16_t>(round % 2 ? 1975 : 2003)};
        const std::string pesel = makePesel(random, birth, round % 3 == 0);
        ASSERT_EQ(pesel.size(), 11u);
        EXPECT_EQ(pesel.substr(0, 6), round % 2 ? "750317" : "032317") << pesel;
        EXPECT_EQ(digit(pesel, 9) % 2, round % 3 == 0 ? 0 : 1) << pesel;
        const int peselWeights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3, 1};
        sum = 0;
        for (int i = 0; i < 11; ++i) sum += digit(pesel, i) * peselWeights[i];
        EXPECT_EQ(sum % 10, 0) << pesel;

        std::string nrb = makeNrb(random);
        ASSERT_EQ(nrb.size(), 32u) << nrb;
        std::erase(nrb, ' ');
        int remainder = 0;
        for (char c : nrb.substr(2) + "2521" + nrb.substr(0, 2)) remainder = (remainder * 10 + (c - '0')) % 97;
        EXPECT_EQ(remainder, 1) << nrb;

        const std::string regon = makeRegon(random);
        const int regonWeights[] = {8, 9, 2, 3, 4, 5, 6, 7};
        sum = 0;
        for (int i = 0; i < 8; ++i) sum += digit(regon, i) * regonWeights[i];
        EXPECT_EQ(sum % 11 % 10, digit(regon, 8)) << regon;
    }
}

TEST(PolishNames, FoldToPlainUpperCase) {
    EXPECT_EQ(foldToAscii("Łódź"_cp), "LODZ");
    EXPECT_EQ(foldToAscii("Źrałek-Ślusarczyk \"Żak\""_cp), "ZRALEKSLUSARCZYKZAK");
    EXPECT_EQ(foldToAscii("ąćęłńóśźż"_cp), "ACELNOSZZ");
}

TEST(PolishNames, SortAccentedLettersAfterTheirBaseLetter) {
    struct Case {
        std::string_view a, b;
        bool less;
    };
    const Case cases[] = {
        {"Zupa"_cp, "Żaba"_cp, true},  {"Żaba"_cp, "Źrebię"_cp, true}, {"Łódź"_cp, "Lodz", false},
        {"Lodz", "Łódź"_cp, true},     {"kot", "kotek", true},          {"kotek", "kot", false},
        {"abc", "ABD", true},          {"Ćma"_cp, "Dom", true},         {"Cukier", "Ćma"_cp, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(polishLess(c.a, c.b), c.less)
            << platform::cp852::ToUtf8(c.a) << " < " << platform::cp852::ToUtf8(c.b);
}

TEST(RecordBuffer, WritesLittleEndianFieldsAndCutsTexts) {
    RecordBuffer record(32);
    record.putWord(0, 0x1234);
    record.putLong(2, 0xA1B2C3D4);
    record.putInt64(6, -2);
    record.putDate(14, PackedDate{31, 12, 2023});
    record.putText({18, 5}, "abcdefgh");
    EXPECT_EQ(record.bytes().substr(0, 18), std::string("\x34\x12\xD4\xC3\xB2\xA1\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
                                                        "\x1F\x0C\xE7\x07",
                                                        18));
    EXPECT_EQ(record.bytes().substr(18, 5), std::string("\x04" "abcd"));
    EXPECT_EQ(record.textAt({18, 5}), "abcd");
    EXPECT_EQ(record.int64At(6), -2);
    EXPECT_EQ(record.dateAt(14).packed(), PackedDate({31, 12, 2023}).packed());
    EXPECT_GT(PackedDate({1, 1, 2024}).packed(), kCutOff.packed());
    EXPECT_LT(PackedDate({30, 12, 2023}).packed(), kCutOff.packed());
    record.putDouble(24, 1.5);
    EXPECT_EQ(record.doubleAt(24), 1.5);
    EXPECT_EQ(record.bytes().substr(24), std::string("\0\0\0\0\0\0\xF8\x3F", 8));
}

TEST(RecordBufferDeathTest, AFieldOutsideTheRecordStopsTheGenerator) {
    RecordBuffer record(8);
    EXPECT_DEATH(record.putLong(6, 1), "outside a 8-byte record");
}

std::string joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& arg : args) text += arg + " ";
    return text;
}

TEST(SampleOptions, ReadsTheCommandLine) {
    struct Case {
        std::vector<std::string> args;
        std::uint64_t seed;
        int firms, entries, persons;
        Profile profile;
        std::string directory;
    };
    const Case cases[] = {
        {{"out"}, 2023, 8, 20, 12, Profile::Full, "out"},
        {{"--seed", "7", "--firms", "3", "--entries-per-month", "4", "--persons", "5", "--profile", "quiet", "d"},
         7, 3, 4, 5, Profile::Quiet, "d"},
        {{"--seed=18446744073709551615", "--firms=2048", "x"}, 18446744073709551615ull, 2048, 20, 12, Profile::Full, "x"},
        {{"--profile=full", "--persons=2000", "x"}, 2023, 8, 20, 2000, Profile::Full, "x"},
    };
    for (const Case& c : cases) {
        SampleOptions options;
        bool help = true;
        std::string error;
        ASSERT_TRUE(parseSampleOptions(c.args, options, help, error)) << joined(c.args) << error;
        EXPECT_FALSE(help);
        EXPECT_EQ(options.seed, c.seed) << joined(c.args);
        EXPECT_EQ(options.firms, c.firms) << joined(c.args);
        EXPECT_EQ(options.entriesPerMonth, c.entries) << joined(c.args);
        EXPECT_EQ(options.personsPerFirm, c.persons) << joined(c.args);
        EXPECT_EQ(options.profile, c.profile) << joined(c.args);
        EXPECT_EQ(options.outputDirectory, c.directory) << joined(c.args);
    }
    SampleOptions options;
    bool help = false;
    std::string error;
    EXPECT_TRUE(parseSampleOptions({"--help"}, options, help, error));
    EXPECT_TRUE(help);
}

TEST(SampleOptions, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--firms", "0", "x"},
        {"--firms", "2049", "x"},
        {"--persons", "2001", "x"},
        {"--entries-per-month", "-1", "x"},
        {"--seed", "12a", "x"},
        {"--seed", "", "x"},
        {"--profile", "loud", "x"},
        {"--colour", "red", "x"},
        {"x", "--firms"},
        {"x", "y"},
    };
    for (const auto& args : cases) {
        SampleOptions options;
        bool help = false;
        std::string error;
        EXPECT_FALSE(parseSampleOptions(args, options, help, error)) << joined(args);
        EXPECT_FALSE(error.empty()) << joined(args);
    }
}

TEST(TreeWriter, CreatesTheRootButNeverWritesIntoAFullDirectory) {
    qztest::TempDir temp;
    TreeWriter fresh(temp.path() / "a" / "b");
    ASSERT_TRUE(fresh.open()) << fresh.error();
    ASSERT_TRUE(fresh.put("FIRMA/PLIK.REK", std::string("\0x", 2)));
    EXPECT_EQ(temp.readFile("a/b/FIRMA/PLIK.REK"), std::string("\0x", 2));

    TreeWriter empty(temp.path() / "a" / "b" / "FIRMA" / "..");
    EXPECT_FALSE(empty.open());
    EXPECT_NE(empty.error().find("not empty"), std::string::npos);

    temp.writeFile("plik", "x");
    TreeWriter onFile(temp.path() / "plik");
    EXPECT_FALSE(onFile.open());
    EXPECT_NE(onFile.error().find("not a directory"), std::string::npos);

    std::filesystem::create_directory(temp.path() / "pusty");
    TreeWriter emptyDirectory(temp.path() / "pusty");
    EXPECT_TRUE(emptyDirectory.open()) << emptyDirectory.error();
}

}  // namespace
