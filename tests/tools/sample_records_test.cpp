// Fields of the generated files sit at the offsets of their formats.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "platform/cp852.h"
#include "tests/support/program_test.h"
#include "tests/tools/sample_tree_reader.h"
#include "product/scramble.h"
#include "tools/qz-sample/annual_settings_file.h"
#include "tools/qz-sample/asset_registers_file.h"
#include "tools/qz-sample/entry_files.h"
#include "tools/qz-sample/firm_marker_file.h"
#include "tools/qz-sample/payroll_settings_file.h"
#include "tools/qz-sample/polish_names.h"
#include "tools/qz-sample/registry_file.h"
#include "tools/qz-sample/scramble.h"
#include "tools/qz-sample/staff_files.h"

namespace {

using namespace qzsample;
using namespace platform::literals;
using sampletest::Tree;

class SampleRecords : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        temp_ = new qztest::TempDir;
        SampleOptions options;
        options.firms = 12;
        options.personsPerFirm = 12;
        options.entriesPerMonth = 9;
        tree_ = new Tree(sampletest::makeTree(options, temp_->path() / "KPR_2023"));
        firms_ = new std::vector<std::string>(sampletest::registryDirectories(*tree_));
    }
    static void TearDownTestSuite() {
        delete firms_;
        delete tree_;
        delete temp_;
    }
    static const std::string& file(const std::string& firm, const std::string& name) {
        const std::string* found = sampletest::findFile(*tree_, firm, name);
        if (!found) throw std::runtime_error(firm + "/" + name + " missing");
        return *found;
    }

    static qztest::TempDir* temp_;
    static Tree* tree_;
    static std::vector<std::string>* firms_;
};

qztest::TempDir* SampleRecords::temp_ = nullptr;
Tree* SampleRecords::tree_ = nullptr;
std::vector<std::string>* SampleRecords::firms_ = nullptr;

TEST_F(SampleRecords, RegistryRecordsHoldNameDirectoryAndDescriptionAtTheirOffsets) {
    const std::string& registry = tree_->at(kRegistryFileName);
    ASSERT_EQ(registry.size(), 12 * RegistryRecord::kSize);
    std::vector<std::string> names;
    bool staleTail = false;
    bool polishLetters = false;
    for (std::size_t i = 0; i < 12; ++i) {
        const std::string_view raw = std::string_view(registry).substr(i * RegistryRecord::kSize, RegistryRecord::kSize);
        const auto nameLength = static_cast<std::uint8_t>(raw[0]);
        const auto directoryLength = static_cast<std::uint8_t>(raw[32]);
        const auto descriptionLength = static_cast<std::uint8_t>(raw[41]);
        ASSERT_GE(nameLength, 5) << i;
        ASSERT_LE(nameLength, 31) << i;
        ASSERT_GE(directoryLength, 1) << i;
        ASSERT_LE(directoryLength, 8) << i;
        ASSERT_LE(descriptionLength, 61) << i;
        const std::string name(raw.substr(1, nameLength));
        const std::string directory(raw.substr(33, directoryLength));
        names.push_back(name);
        // The directory is a real one of the tree, named in plain upper-case ASCII.
        EXPECT_EQ(foldToAscii(directory), directory);
        EXPECT_NE(sampletest::findFile(*tree_, directory, "_qz_kpr.rek"), nullptr) << directory;
        // The name field holds nothing after its text.
        EXPECT_EQ(raw.substr(1 + nameLength, 31 - nameLength), std::string(31 - nameLength, '\0'));
        const std::string_view tail = raw.substr(42 + descriptionLength);
        staleTail = staleTail || tail.find_first_not_of('\0') != std::string_view::npos;
        for (char c : name) polishLetters = polishLetters || static_cast<std::uint8_t>(c) >= 128;
    }
    EXPECT_TRUE(staleTail) << "no description with an earlier text's end after it";
    EXPECT_TRUE(polishLetters) << "no Polish letter in any name";
    // Mostly in order, but not perfectly, and one name is another's with a suffix.
    int outOfOrder = 0;
    bool sharedPrefix = false;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) outOfOrder += polishLess(names[i + 1], names[i]);
    for (const std::string& a : names)
        for (const std::string& b : names) sharedPrefix = sharedPrefix || (a != b && b.starts_with(a));
    EXPECT_GT(outOfOrder, 0);
    EXPECT_LT(outOfOrder, 6);
    EXPECT_TRUE(sharedPrefix);
}

TEST_F(SampleRecords, GlobalDirectoryHoldsEveryFileOfTheGlobalCopy) {
    for (const char* name : {"baza_ad8.rek", "kpr_2023.ini", "kart01.cnf", "baza_ff.txt", "KPR_QZ.INI", "2023spd.ini",
                             "2023_lp2.cc", "2024_lp2.cc", "KOLORY.QZ", "OPERATOR.REK", "ZUS_PEL.INI", "UMOWY.INI"})
        EXPECT_TRUE(tree_->count(std::string("#BIN023/") + name)) << name;
}

TEST_F(SampleRecords, FirmMarkerSaysTheYear2023) {
    for (const std::string& firm : *firms_) {
        const RecordBuffer marker = sampletest::recordsOf(file(firm, kFirmMarkerFileName), FirmMarkerRecord::kSize).at(0);
        EXPECT_EQ(marker.wordAt(0), 2023);
        EXPECT_EQ(marker.wordAt(2), 2023);
        EXPECT_EQ(marker.wordAt(4), 2023);
        EXPECT_EQ(marker.byteAt(7), 0);
    }
}

TEST_F(SampleRecords, AnnualSettingsOf2024OpenWithTheClosingBalanceOf2023) {
    int both = 0;
    for (const std::string& firm : *firms_) {
        for (const char* name : {"2023_ROK.REK", "2024_ROK.REK"}) {
            const std::string* annual = sampletest::findFile(*tree_, firm, name);
            if (!annual) continue;
            const auto records = sampletest::recordsOf(*annual, kAnnualRecordSize);
            ASSERT_EQ(records.size(), 3u);
            for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(records[i].wordAt(0), i + 1) << firm << "/" << name;
            EXPECT_EQ(records[0].byteAt(AnnualGeneral::kConstant3a), 3);
            EXPECT_EQ(records[0].byteAt(AnnualGeneral::kConstant3b), 3);
            const std::string suffix = std::string(name).starts_with("2023") ? "/23" : "/24";
            EXPECT_EQ(records[1].textAt({AnnualNumbering::kSeries + AnnualNumbering::kPrefix.offset, 7}), "FV/");
            EXPECT_EQ(records[1].textAt({AnnualNumbering::kSeries + AnnualNumbering::kSuffix.offset, 7}), suffix);
        }
        const std::string* of2023 = sampletest::findFile(*tree_, firm, "2023_ROK.REK");
        const std::string* of2024 = sampletest::findFile(*tree_, firm, "2024_ROK.REK");
        if (!of2023 || !of2024) continue;
        ++both;
        const RecordBuffer closing = sampletest::recordsOf(*of2023, kAnnualRecordSize)[0];
        const RecordBuffer opening = sampletest::recordsOf(*of2024, kAnnualRecordSize)[0];
        EXPECT_EQ(closing.byteAt(AnnualGeneral::kMonthCounter), 12);
        EXPECT_EQ(opening.doubleAt(AnnualGeneral::kBalances), closing.doubleAt(AnnualGeneral::kBalances + 12 * 8));
        EXPECT_EQ(opening.byteAt(AnnualGeneral::kVatByProportion), closing.byteAt(AnnualGeneral::kVatByProportion));
    }
    EXPECT_GT(both, 0);
}

TEST_F(SampleRecords, PersonsReadBackWithNamesAndDatesAtTheirOffsets) {
    int scrambled = 0;
    for (const std::string& firm : *firms_) {
        std::set<std::int64_t> keys;
        for (const RecordBuffer& stored : sampletest::recordsOf(file(firm, "DANE_PR8.REK"), PersonRecord::kSize)) {
            const std::uint8_t state = stored.byteAt(PersonRecord::kState);
            ASSERT_TRUE(state == PersonRecord::kPlain || state == PersonRecord::kScrambled) << firm;
            scrambled += state == PersonRecord::kScrambled;
            const RecordBuffer person = sampletest::plainPerson(stored);
            EXPECT_TRUE(keys.insert(std::llabs(person.int64At(PersonRecord::kKey))).second) << "key twice in " << firm;
            EXPECT_LE(person.wordAt(PersonRecord::kKind), 1);
            const std::string surname = person.textAt(PersonRecord::kSurname);
            const std::string first = person.textAt(PersonRecord::kFirstName);
            EXPECT_GE(surname.size(), 3u) << firm;
            EXPECT_GE(first.size(), 3u) << firm;
            EXPECT_EQ(platform::cp852::FromUtf8(platform::cp852::ToUtf8(surname)), surname);
            for (std::size_t at : {PersonRecord::kStart1, PersonRecord::kEnd1, PersonRecord::kStart2, PersonRecord::kEnd2}) {
                const PackedDate date = person.dateAt(at);
                if (date.empty()) continue;
                EXPECT_TRUE(date.day >= 1 && date.day <= 31 && date.month >= 1 && date.month <= 12 && date.year >= 1995 &&
                            date.year <= 2024)
                    << firm << " offset " << at;
            }
            // The head and the tail of a scrambled record stay plain.
            EXPECT_EQ(stored.bytes().substr(0, product::kScrambledBegin), person.bytes().substr(0, product::kScrambledBegin));
            EXPECT_EQ(stored.bytes().substr(product::kScrambledEnd), std::string(PersonRecord::kSize - product::kScrambledEnd, '\0'));
        }
    }
    EXPECT_GT(scrambled, 0);
}

TEST_F(SampleRecords, FamilyAndTaxDataRecordsBelongToPersonsOfTheirFirm) {
    for (const std::string& firm : *firms_) {
        std::set<std::int64_t> keys;
        for (const RecordBuffer& person : sampletest::recordsOf(file(firm, "DANE_PR8.REK"), PersonRecord::kSize))
            keys.insert(std::llabs(person.int64At(PersonRecord::kKey)));
        if (const std::string* family = sampletest::findFile(*tree_, firm, "DANE_PF8.REK"))
            for (const RecordBuffer& member : sampletest::recordsOf(*family, FamilyRecord::kSize)) {
                EXPECT_TRUE(keys.count(std::llabs(member.int64At(FamilyRecord::kKey)))) << firm;
                EXPECT_FALSE(member.textAt(FamilyRecord::kFirstName).empty());
            }
        for (const auto& [name, year] : {std::pair{"2023P5.REK", 2023}, {"2024P5.REK", 2024}, {"2023P28A.REK", 2023},
                                         {"2024P28A.REK", 2024}}) {
            const std::string* taxData = sampletest::findFile(*tree_, firm, name);
            if (!taxData) continue;
            for (const RecordBuffer& record : sampletest::recordsOf(*taxData, TaxDataRecord::kSize)) {
                EXPECT_TRUE(keys.count(std::llabs(record.int64At(TaxDataRecord::kKey)))) << firm << "/" << name;
                EXPECT_EQ(record.wordAt(TaxDataRecord::kDate + 2), year) << firm << "/" << name;
                EXPECT_FALSE(record.textAt(TaxDataRecord::kSurname).empty());
                EXPECT_EQ(record.textAt(TaxDataRecord::kPesel).size(), 11u);
            }
        }
        for (const RecordBuffer& record : sampletest::recordsOf(file(firm, "2023P28A.REK"), Pit28Record::kSize))
            // The twelfth month's rate, which a fresh 2024 record takes, is at 8841.
            EXPECT_EQ(record.wordAt(8841), record.wordAt(Pit28Record::kMonths + Pit28Record::kMonthRate));
    }
}

TEST_F(SampleRecords, LedgerEntriesAreDatedInTheMonthOfTheirFile) {
    int struckOut = 0;
    for (const std::string& firm : *firms_) {
        for (int month = 1; month <= 12; ++month) {
            const std::string* ledger = sampletest::findFile(*tree_, firm, ledgerFileName(month));
            if (!ledger) continue;
            std::uint32_t sequence = 0;
            for (const RecordBuffer& entry : sampletest::recordsOf(*ledger, LedgerEntryRecord::kSize)) {
                const PackedDate date = entry.dateAt(LedgerEntryRecord::kDate);
                EXPECT_EQ(date.month, month);
                EXPECT_EQ(date.year, 2024);
                EXPECT_EQ(entry.wordAt(LedgerEntryRecord::kSequence), ++sequence);
                const std::uint16_t flags = entry.wordAt(LedgerEntryRecord::kFlags);
                EXPECT_TRUE(flags == 0 || flags == LedgerEntryRecord::kStruckOut);
                struckOut += flags != 0;
                EXPECT_FALSE(entry.textAt(LedgerEntryRecord::kDocument).empty());
                EXPECT_FALSE(entry.textAt(LedgerEntryRecord::kText).empty());
                EXPECT_EQ(entry.byteAt(LedgerEntryRecord::kState), 1);
            }
            EXPECT_EQ(sequence, 9u);
            if (const std::string* repayments = sampletest::findFile(*tree_, firm, repaymentFileName(month)))
                for (const RecordBuffer& repayment : sampletest::recordsOf(*repayments, RepaymentRecord::kSize)) {
                    EXPECT_EQ(repayment.dateAt(RepaymentRecord::kDate).month, month);
                    EXPECT_TRUE(repayment.textAt(RepaymentRecord::kDocument).starts_with("FV "));
                }
        }
    }
    EXPECT_GE(struckOut, 12);  // every firm strikes out one January entry at least
}

TEST_F(SampleRecords, ContractsHoldTheFieldsTheConverterClears) {
    int contracts = 0;
    for (const std::string& firm : *firms_) {
        const std::string* file = sampletest::findFile(*tree_, firm, "2024UZ5.REK");
        if (!file) continue;
        for (const RecordBuffer& contract : sampletest::recordsOf(*file, ContractRecord::kSize)) {
            ++contracts;
            EXPECT_GT(contract.doubleAt(ContractRecord::kPaid), 0.0);
            EXPECT_TRUE(contract.textAt(ContractRecord::kBill).starts_with("R/"));
        }
    }
    EXPECT_GT(contracts, 0);
}

TEST_F(SampleRecords, PayrollSettingsHoldTheYearAndItsWorkingDays) {
    for (const auto& [path, year, days] : {std::tuple{"#BIN023/2023_lp2.cc", 2023, 250}, {"#BIN023/2024_lp2.cc", 2024, 251}}) {
        for (const RecordBuffer& record : sampletest::recordsOf(tree_->at(path), PayrollSettingsRecord::kSize)) {
            EXPECT_EQ(record.wordAt(PayrollSettingsRecord::kYear), year);
            int total = 0;
            for (int month = 0; month < 12; ++month) total += record.byteAt(PayrollSettingsRecord::kWorkingDays + month);
            EXPECT_EQ(total, days) << path;
        }
    }
}

TEST_F(SampleRecords, AssetRegistersNameTheirFiles) {
    int registers = 0;
    for (const std::string& firm : *firms_) {
        const std::string* file = sampletest::findFile(*tree_, firm, kAssetRegistersFileName);
        if (!file) continue;
        for (const RecordBuffer& entry : sampletest::recordsOf(*file, AssetRegisterRecord::kSize)) {
            const std::string name = entry.textAt(AssetRegisterRecord::kName);
            ++registers;
            if (foldToAscii(name) == "SRODKI" || name == "ARCHIWUM") continue;
            EXPECT_NE(sampletest::findFile(*tree_, firm, name + ".REK"), nullptr) << firm << " " << name;
        }
    }
    EXPECT_GT(registers, 0);
}

TEST_F(SampleRecords, FirmTextFilesUseEveryFormTheReaderMeets) {
    bool yearFirst = false, dayFirst = false, otherCase = false, lfOnly = false, noDefZus = false;
    for (const std::string& firm : *firms_) {
        const std::string& text = file(firm, "FIRMATXT.INI");
        std::string upper = text;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        // Names are matched ignoring letter case, as the converter's reader does.
        EXPECT_NE(upper.find("[PATH]"), std::string::npos) << firm;
        EXPECT_NE(upper.find("[KPR]"), std::string::npos) << firm;
        EXPECT_NE(upper.find("WERSJA="), std::string::npos) << firm;  // unknown to the converter
        lfOnly = lfOnly || text.find("\r\n") == std::string::npos;
        noDefZus = noDefZus || upper.find("DEF_ZUS=") == std::string::npos;
        // A key written all in lower case although the file's own spelling has capitals.
        std::size_t start = 0;
        for (std::size_t end = text.find('\n'); end != std::string::npos; start = end + 1, end = text.find('\n', start)) {
            const std::string line = text.substr(start, end - start);
            const std::size_t equals = line.find('=');
            if (equals == std::string::npos || line.starts_with("iod_") || line.starts_with("fpd_")) continue;
            const std::string key = line.substr(0, equals);
            otherCase = otherCase ||
                        (key.size() > 2 && key.find_first_not_of("abcdefghijklmnopqrstuvwxyz_0123456789-") == std::string::npos);
        }
        const std::size_t birth = upper.find("DATA_URODZENIA=");
        if (birth != std::string::npos) {
            const std::string value = text.substr(birth + 15, 10);
            yearFirst = yearFirst || (value[4] == '-' && value[7] == '-');
            dayFirst = dayFirst || (value[2] == '-' && value[5] == '-');
        }
    }
    EXPECT_TRUE(dayFirst);
    EXPECT_TRUE(yearFirst);
    EXPECT_TRUE(otherCase);
    EXPECT_TRUE(lfOnly);
    EXPECT_TRUE(noDefZus);
}

}  // namespace
