// The quiet profile holds nothing that makes the converter ask or wait; the full
// profile holds every such case, so that both kinds of run can be tried.
#include <gtest/gtest.h>

#include <set>

#include "tests/support/program_test.h"
#include "tests/tools/sample_tree_reader.h"
#include "tools/qz-sample/annual_settings_file.h"
#include "tools/qz-sample/asset_registers_file.h"
#include "tools/qz-sample/entry_files.h"
#include "tools/qz-sample/registry_file.h"
#include "tools/qz-sample/staff_files.h"

namespace {

using namespace qzsample;
using sampletest::Tree;

// What one firm directory holds that decides whether the converter asks.
struct FirmFacts {
    std::string directory;
    bool has2023 = false;
    bool has2024 = false;
    bool decemberOpen = false;           // 2023 file: December not approved
    bool vatProportionMissing = false;   // VAT by proportion and no proportion for 2024
    bool kept2024Beside2023 = false;     // 2024P5, 2024P28A or 2024_lp2.cc beside 2023_ROK.REK
    int persons = 0;
    int scrambled = 0;
    int removed = 0;
    int orphanFamilies = 0;       // family of no live person: reported when everybody is carried
    int contractsOfLeavers = 0;   // contracts of persons not carried under "employed on 31.12.2023"
    int contractsOfNobody = 0;    // contracts of no live person: reported in every mode
    int carriedContracts = 0;
    int families = 0;
    int struckOut = 0;
    bool registerClashes = false;  // an asset register named like a file copied before it
};

FirmFacts factsOf(const Tree& tree, const std::string& firm) {
    FirmFacts facts;
    facts.directory = firm;
    const std::string* of2023 = sampletest::findFile(tree, firm, "2023_ROK.REK");
    const std::string* of2024 = sampletest::findFile(tree, firm, "2024_ROK.REK");
    facts.has2023 = of2023 != nullptr;
    facts.has2024 = of2024 != nullptr;
    if (of2023) {
        const RecordBuffer general = sampletest::recordsOf(*of2023, kAnnualRecordSize).at(0);
        facts.decemberOpen = general.byteAt(AnnualGeneral::kFirstOpenMonth) != 13;
        // From a 2023 source the 2024 proportion is the one settled in 2023.
        if (!of2024 && general.byteAt(AnnualGeneral::kVatByProportion) != 0)
            facts.vatProportionMissing = general.wordAt(AnnualGeneral::kVatSettled) == 0;
    }
    if (of2024) {
        const RecordBuffer general = sampletest::recordsOf(*of2024, kAnnualRecordSize).at(0);
        if (general.byteAt(AnnualGeneral::kVatByProportion) != 0)
            facts.vatProportionMissing = facts.vatProportionMissing || general.wordAt(AnnualGeneral::kVatProportion) == 0;
    }
    for (const char* kept : {"2024P5.REK", "2024P28A.REK", "2024_lp2.cc"})
        if (of2023 && sampletest::findFile(tree, firm, kept)) facts.kept2024Beside2023 = true;

    std::set<std::int64_t> live;
    std::set<std::int64_t> carried;
    for (const RecordBuffer& stored : sampletest::recordsOf(*sampletest::findFile(tree, firm, "DANE_PR8.REK"),
                                                            PersonRecord::kSize)) {
        ++facts.persons;
        const std::int64_t key = stored.int64At(PersonRecord::kKey);
        if (stored.byteAt(PersonRecord::kState) == PersonRecord::kScrambled) ++facts.scrambled;
        if (key < 0) ++facts.removed;
        if (key >= 0) live.insert(key);
        if (sampletest::carriedWhenEmployed(stored)) carried.insert(key);
    }
    if (const std::string* family = sampletest::findFile(tree, firm, "DANE_PF8.REK"))
        for (const RecordBuffer& member : sampletest::recordsOf(*family, FamilyRecord::kSize)) {
            ++facts.families;
            const std::int64_t key = member.int64At(FamilyRecord::kKey);
            if (key >= 0 && !live.count(key)) ++facts.orphanFamilies;
        }
    if (const std::string* contracts = sampletest::findFile(tree, firm, "2024UZ5.REK"))
        for (const RecordBuffer& contract : sampletest::recordsOf(*contracts, ContractRecord::kSize)) {
            const std::int64_t key = contract.int64At(ContractRecord::kKey);
            if (key < 0) continue;
            if (!live.count(key))
                ++facts.contractsOfNobody;
            else if (!carried.count(key))
                ++facts.contractsOfLeavers;
            else
                ++facts.carriedContracts;
        }
    for (int month = 1; month <= 12; ++month)
        if (const std::string* ledger = sampletest::findFile(tree, firm, ledgerFileName(month)))
            for (const RecordBuffer& entry : sampletest::recordsOf(*ledger, LedgerEntryRecord::kSize))
                if (entry.wordAt(LedgerEntryRecord::kFlags) & LedgerEntryRecord::kStruckOut) ++facts.struckOut;
    if (const std::string* registers = sampletest::findFile(tree, firm, kAssetRegistersFileName))
        for (const RecordBuffer& entry : sampletest::recordsOf(*registers, AssetRegisterRecord::kSize)) {
            std::string name = entry.textAt(AssetRegisterRecord::kName);
            for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (name == "DOKUMENT" || name == "WYPOSAZ" || name == "STBAZY") facts.registerClashes = true;
        }
    return facts;
}

std::vector<FirmFacts> factsOfTree(const Tree& tree) {
    std::vector<FirmFacts> facts;
    for (const std::string& firm : sampletest::registryDirectories(tree)) facts.push_back(factsOf(tree, firm));
    return facts;
}

SampleOptions options(Profile profile, std::uint64_t seed) {
    SampleOptions options;
    options.profile = profile;
    options.seed = seed;
    options.firms = 14;
    options.personsPerFirm = 14;
    options.entriesPerMonth = 5;
    return options;
}

class QuietProfile : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(QuietProfile, HoldsNothingThatMakesTheConverterAsk) {
    qztest::TempDir temp;
    const Tree tree = sampletest::makeTree(options(Profile::Quiet, GetParam()), temp.path() / "quiet");
    EXPECT_EQ(sampletest::findFile(tree, "#BIN023", "2024_lp2.cc"), nullptr)
        << "a kept 2024_lp2.cc makes the global copy ask";
    FirmFacts total;
    for (const FirmFacts& firm : factsOfTree(tree)) {
        SCOPED_TRACE(firm.directory);
        EXPECT_FALSE(firm.has2023 && firm.has2024) << "both years' annual settings";
        EXPECT_TRUE(firm.has2023 || firm.has2024);
        EXPECT_FALSE(firm.decemberOpen);
        EXPECT_FALSE(firm.vatProportionMissing);
        EXPECT_FALSE(firm.kept2024Beside2023);
        EXPECT_LT(firm.persons, 2048);
        EXPECT_EQ(firm.orphanFamilies, 0);
        EXPECT_EQ(firm.contractsOfLeavers, 0);
        EXPECT_EQ(firm.contractsOfNobody, 0);
        EXPECT_FALSE(firm.registerClashes);
        total.has2024 = total.has2024 || firm.has2024;
        total.scrambled += firm.scrambled;
        total.removed += firm.removed;
        total.families += firm.families;
        total.carriedContracts += firm.carriedContracts;
        total.struckOut += firm.struckOut;
    }
    // Quiet is not empty: the work the converter does without asking is all there.
    EXPECT_TRUE(total.has2024);
    EXPECT_GT(total.scrambled, 0);
    EXPECT_GT(total.removed, 0);
    EXPECT_GT(total.families, 0);
    EXPECT_GT(total.carriedContracts, 0);
    EXPECT_GT(total.struckOut, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, QuietProfile, ::testing::Values(1u, 2023u, 987654321u));

TEST(FullProfile, HoldsEveryCaseThatMakesTheConverterAsk) {
    qztest::TempDir temp;
    const Tree tree = sampletest::makeTree(options(Profile::Full, 2023), temp.path() / "full");
    EXPECT_NE(sampletest::findFile(tree, "#BIN023", "2024_lp2.cc"), nullptr);
    FirmFacts total;
    int both = 0, only2024 = 0;
    for (const FirmFacts& firm : factsOfTree(tree)) {
        both += firm.has2023 && firm.has2024;
        only2024 += !firm.has2023 && firm.has2024;
        total.decemberOpen = total.decemberOpen || firm.decemberOpen;
        total.vatProportionMissing = total.vatProportionMissing || firm.vatProportionMissing;
        total.kept2024Beside2023 = total.kept2024Beside2023 || firm.kept2024Beside2023;
        total.orphanFamilies += firm.orphanFamilies;
        total.contractsOfLeavers += firm.contractsOfLeavers;
        total.contractsOfNobody += firm.contractsOfNobody;
    }
    EXPECT_GT(both, 0);
    EXPECT_GT(only2024, 0);
    EXPECT_TRUE(total.decemberOpen);
    EXPECT_TRUE(total.vatProportionMissing);
    EXPECT_TRUE(total.kept2024Beside2023);
    EXPECT_GT(total.orphanFamilies, 0);
    EXPECT_GT(total.contractsOfLeavers, 0);
    EXPECT_GT(total.contractsOfNobody, 0);
}

// Staff on both sides of the turn of the year, in every firm of both profiles.
TEST(BothProfiles, EveryFirmHasStaffWhoContinueAndStaffWhoLeave) {
    for (Profile profile : {Profile::Full, Profile::Quiet}) {
        qztest::TempDir temp;
        const Tree tree = sampletest::makeTree(options(profile, 42), temp.path() / "t");
        for (const std::string& firm : sampletest::registryDirectories(tree)) {
            int carried = 0, left = 0, owners = 0;
            for (const RecordBuffer& stored : sampletest::recordsOf(*sampletest::findFile(tree, firm, "DANE_PR8.REK"),
                                                                    PersonRecord::kSize)) {
                const RecordBuffer person = sampletest::plainPerson(stored);
                (sampletest::carriedWhenEmployed(stored) ? carried : left) += 1;
                owners += person.wordAt(PersonRecord::kKind) == 1;
            }
            EXPECT_GT(carried, 0) << firm;
            EXPECT_GT(left, 0) << firm;
            EXPECT_GT(owners, 0) << firm;
        }
    }
}

}  // namespace
