// The sample tree depends on its seed and size alone, and every record file has the
// size its format gives.
#include <gtest/gtest.h>

#include "tests/support/program_test.h"
#include "tests/tools/sample_tree_reader.h"
#include "tools/qz-sample/annual_settings_file.h"
#include "tools/qz-sample/asset_registers_file.h"
#include "tools/qz-sample/entry_files.h"
#include "tools/qz-sample/firm_files.h"
#include "tools/qz-sample/firm_marker_file.h"
#include "tools/qz-sample/global_files.h"
#include "tools/qz-sample/payroll_settings_file.h"
#include "tools/qz-sample/registry_file.h"
#include "tools/qz-sample/staff_files.h"

namespace {

using namespace qzsample;
using sampletest::Tree;

SampleOptions smallTree(std::uint64_t seed, int firms = 6) {
    SampleOptions options;
    options.seed = seed;
    options.firms = firms;
    options.personsPerFirm = 9;
    options.entriesPerMonth = 7;
    return options;
}

TEST(SampleTree, SameSeedAndSizeGiveTheSameTree) {
    qztest::TempDir temp;
    const Tree first = sampletest::makeTree(smallTree(77), temp.path() / "a");
    const Tree second = sampletest::makeTree(smallTree(77), temp.path() / "b");
    ASSERT_GT(first.size(), 50u);
    EXPECT_EQ(sampletest::treeHash(first), sampletest::treeHash(second));
    EXPECT_TRUE(first == second);
}

TEST(SampleTree, AnotherSeedOrSizeGivesAnotherTree) {
    qztest::TempDir temp;
    const Tree base = sampletest::makeTree(smallTree(77), temp.path() / "base");
    const Tree otherSeed = sampletest::makeTree(smallTree(78), temp.path() / "seed");
    const Tree otherSize = sampletest::makeTree(smallTree(77, 7), temp.path() / "size");
    SampleOptions quiet = smallTree(77);
    quiet.profile = Profile::Quiet;
    const Tree quietTree = sampletest::makeTree(quiet, temp.path() / "quiet");
    EXPECT_NE(sampletest::treeHash(base), sampletest::treeHash(otherSeed));
    EXPECT_NE(sampletest::treeHash(base), sampletest::treeHash(otherSize));
    EXPECT_NE(sampletest::treeHash(base), sampletest::treeHash(quietTree));
}

// A firm's own files do not depend on how many firms follow it.
TEST(SampleTree, AFirmKeepsItsFilesWhenTheTreeGrows) {
    qztest::TempDir temp;
    const Tree small = sampletest::makeTree(smallTree(5, 4), temp.path() / "small");
    const Tree large = sampletest::makeTree(smallTree(5, 9), temp.path() / "large");
    int compared = 0;
    for (const auto& [path, bytes] : small) {
        if (path.find('/') == std::string::npos || path.starts_with("#BIN023")) continue;
        const auto other = large.find(path);
        ASSERT_NE(other, large.end()) << path;
        EXPECT_EQ(other->second, bytes) << path;
        ++compared;
    }
    EXPECT_GT(compared, 100);
}

struct SizeRule {
    const char* name;
    std::size_t recordSize;
};

// Files copied or converted record by record, with the record size the converter uses.
constexpr SizeRule kRecordFiles[] = {
    {"DANE_PR8.REK", PersonRecord::kSize},
    {"DANE_PF8.REK", FamilyRecord::kSize},
    {"2023P5.REK", Pid5Record::kSize},
    {"2024P5.REK", Pid5Record::kSize},
    {"2023P28A.REK", Pit28Record::kSize},
    {"2024P28A.REK", Pit28Record::kSize},
    {"2024WP5.REK", SalaryRecord::kSize},
    {"2024UZ5.REK", ContractRecord::kSize},
    {"2023_lp2.cc", PayrollSettingsRecord::kSize},
    {"2024_lp2.cc", PayrollSettingsRecord::kSize},
    {"stbazy.rek", AssetRegisterRecord::kSize},
    {"FIRMA_A8.REK", kFirmShortRecordSize},
    {"baza_ad8.rek", kAddressRecordSize},
    {"baza_sp9.rek", kAutomatRecordSize},
    {"baza_za9.rek", kAutomatRecordSize},
    {"BAZA_PP8.REK", kTransferRecordSize},
    {"MT610.REK", kWrittenOffRecordSize},
    {"BAZA_DW8.REK", kInternalRecordSize},
    {"ODS_ZOB.REK", kInterestRecordSize},
    {"AUTOV26.REK", kVehicleRecordSize},
    {"2024_NK8.REK", kNoteRecordSize},
    {"2024KOL3.REK", kColumnSumRecordSize},
    {"2024ZAL.REK", kAdvanceRecordSize},
};

TEST(SampleTree, RecordFilesHaveTheSizesOfTheirFormats) {
    qztest::TempDir temp;
    SampleOptions options = smallTree(11, 10);
    const Tree tree = sampletest::makeTree(options, temp.path() / "t");
    const std::vector<std::string> firms = sampletest::registryDirectories(tree);
    ASSERT_EQ(firms.size(), 10u);
    EXPECT_EQ(tree.at(kRegistryFileName).size(), RegistryRecord::kSize * 10);
    EXPECT_EQ(tree.at("#BIN023/KOLORY.QZ").size(), kColourFileSize);
    EXPECT_EQ(tree.at("#BIN023/OPERATOR.REK").size() % kOperatorRecordSize, 0u);
    EXPECT_EQ(tree.at("#BIN023/baza_ad8.rek").size() % kAddressRecordSize, 0u);
    std::map<std::string, int> seen;
    for (const std::string& firm : firms) {
        for (const char* annual : {"2023_ROK.REK", "2024_ROK.REK"}) {
            if (const std::string* file = sampletest::findFile(tree, firm, annual)) {
                EXPECT_EQ(file->size(), kAnnualRecordSize * kAnnualRecords) << firm << "/" << annual;
            }
        }
        ASSERT_NE(sampletest::findFile(tree, firm, kFirmMarkerFileName), nullptr) << firm;
        EXPECT_EQ(sampletest::findFile(tree, firm, kFirmMarkerFileName)->size(), FirmMarkerRecord::kSize);
        EXPECT_EQ(sampletest::findFile(tree, firm, "DANE_PR8.REK")->size(), PersonRecord::kSize * 9) << firm;
        EXPECT_EQ(sampletest::findFile(tree, firm, "2024K990.1")->size(), LedgerEntryRecord::kSize * 7) << firm;
        for (int month = 1; month <= 12; ++month)
            if (const std::string* file = sampletest::findFile(tree, firm, repaymentFileName(month))) {
                EXPECT_GT(file->size(), 0u);
                EXPECT_EQ(file->size() % RepaymentRecord::kSize, 0u) << firm << " month " << month;
            }
        for (const SizeRule& rule : kRecordFiles)
            if (const std::string* file = sampletest::findFile(tree, firm, rule.name)) {
                ++seen[rule.name];
                EXPECT_GT(file->size(), 0u) << firm << "/" << rule.name;
                EXPECT_EQ(file->size() % rule.recordSize, 0u) << firm << "/" << rule.name;
            }
    }
    // Every kind of record file occurs somewhere in a tree of ten firms.
    for (const SizeRule& rule : kRecordFiles) EXPECT_GT(seen[rule.name], 0) << rule.name;
}

}  // namespace
