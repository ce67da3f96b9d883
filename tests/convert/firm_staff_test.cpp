// The staff transfer and the carry-over of 2024 entries run by the driver on a whole
// firm: who of the staff continues, and what follows them; which PID-5 file is the
// source; ledger entries struck out; the renaming of converted 2023 files.
#include <gtest/gtest.h>

#include "product/records/entry_records.h"
#include "product/records/staff_records.h"
#include "tests/convert/firm_test.h"

namespace {

using product::PackedDate;
using product::PersonRecord;
namespace firm = convert::firm;

// The keys of a file of records of size bytes.
std::vector<std::int64_t> keysOf(const std::string& file, std::size_t size) {
    std::vector<std::int64_t> keys;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
    for (std::size_t at = 0; at + size <= file.size(); at += size)
        keys.push_back(product::ReadInt64(std::span(bytes + at, size), 0));
    return keys;
}

std::string keyed(std::size_t size, std::int64_t key) {
    return qztest::Bytes(qztest::TestRecord(size).pattern(0, size, 3).key(key));
}

using FirmStaffTest = qztest::FirmTest;

TEST_F(FirmStaffTest, OnlyStaffEmployedAtTheYearEndContinueAndTheirFamiliesAndSalariesFollow) {
    const struct {
        std::int64_t key;
        std::uint16_t kind;
        product::PackedDate start1, end1, start2;
    } persons[] = {
        {1, product::PersonRecord::kEmployee, {1, 3, 2020}, {31, 12, 2023}, {}},           // ends with the year
        {2, product::PersonRecord::kEmployee, {1, 1, 2020}, {30, 6, 2022}, {1, 2, 2023}},  // second period open
        {3, product::PersonRecord::kEmployee, {}, {}, {}},                                 // never started
        {4, product::PersonRecord::kOwner, {1, 1, 2010}, {}, {}},                          // owner without an end
        {5, product::PersonRecord::kOwner, {1, 1, 2010}, {31, 12, 2023}, {}},              // owner ending with the year
        {6, 7, {}, {}, {}},                                                       // a kind of its own
    };
    std::string staff;
    for (const auto& p : persons) {
        qztest::TestRecord person(product::PersonRecord::kSize);
        person.key(p.key).word(product::PersonRecord::kKind, p.kind).date(product::PersonRecord::kStart1, p.start1);
        person.date(product::PersonRecord::kEnd1, p.end1).date(product::PersonRecord::kStart2, p.start2);
        staff += qztest::Bytes(person.text(product::PersonRecord::kNameFirst, "Osoba").text(product::PersonRecord::kNameSecond, "X"));
    }
    source("DANE_PR8.REK", staff);
    source("DANE_PF8.REK", keyed(product::FamilyRecord::kSize, 2) + keyed(product::FamilyRecord::kSize, 5));
    source("2024WP5.REK", keyed(product::SalaryRecord::kSize, 5) + keyed(product::SalaryRecord::kSize, 2));
    options.staffSelection = convert::StaffSelection::EmployedAtYearEnd;
    options.firmItems = firm::Staff | firm::Families;
    options.entries2024 = convert::entries::Salaries;

    ASSERT_TRUE(convertFirm());
    EXPECT_EQ(keysOf(target("DANE_PR8.REK"), product::PersonRecord::kSize), (std::vector<std::int64_t>{2, 4, 6}));
    EXPECT_EQ(keysOf(target("DANE_PF8.REK"), product::FamilyRecord::kSize), std::vector<std::int64_t>{2});
    EXPECT_EQ(keysOf(target("2024WP5.REK"), product::SalaryRecord::kSize), std::vector<std::int64_t>{2});
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(FirmStaffTest, APid5RecordOf2024IsKeptOnlyWithThe2024SettingsElseBuiltAfresh) {
    using TaxData = product::TaxDataRecord;
    constexpr std::size_t kNotCarriedWhenFresh = 5528;  // inside the groups of doubles at 5428
    const std::string of2023 = keyed(TaxData::kSize, 1);
    const std::string of2024 = qztest::Bytes(
        qztest::TestRecord(TaxData::kSize).pattern(0, TaxData::kSize, 8).key(2).word(TaxData::kYear, 2024));
    const struct {
        const char* what;
        bool settingsOf2024;
        bool has2024File;
        const char* answer;
        std::int64_t key;
        bool kept;
        const char* typedBefore = "";  // before the question was shown: no answer
    } cases[] = {
        {"2024 settings", true, true, "", 2, true},
        {"2024 file kept at the question", false, true, "z", 2, false, "w"},
        {"2024 file replaced at the question", false, true, "w", 1, false, "z"},
        {"no 2024 file", false, false, "", 1, false},
    };
    options.firmItems = firm::PitD;
    for (const auto& c : cases) {
        startAgain();
        if (c.settingsOf2024) settingsOf2024Only();
        source("2023P5.REK", of2023);
        if (c.has2024File) source("2024P5.REK", of2024);
        keyWaits = 0;
        screen.PushText(c.typedBefore);
        type(c.answer);
        ASSERT_TRUE(convertFirm()) << c.what;
        const std::string pid5 = target("2024P5.REK");
        ASSERT_EQ(pid5.size(), TaxData::kSize) << c.what;
        EXPECT_EQ(keysOf(pid5, TaxData::kSize), std::vector<std::int64_t>{c.key}) << c.what;
        EXPECT_EQ(pid5[kNotCarriedWhenFresh], c.kept ? of2024[kNotCarriedWhenFresh] : '\0') << c.what;
        EXPECT_EQ(pid5.substr(TaxData::kDate, 4),
                  c.kept ? of2024.substr(TaxData::kDate, 4) : std::string("\1\1\xE8\x07"))
            << c.what;
        EXPECT_EQ(keyWaits, static_cast<int>(std::string_view(c.answer).size())) << c.what;
    }
}

TEST_F(FirmStaffTest, StruckOutEntriesStayBehindAndRenamingHidesConvertedFilesOnlyWhenAsked) {
    using Entry = product::LedgerEntryRecord;
    const std::string kept =
        qztest::Bytes(qztest::TestRecord(Entry::kSize).pattern(0, Entry::kSize, 3).word(Entry::kFlags, 0));
    const std::string struckOut =
        qztest::Bytes(qztest::TestRecord(Entry::kSize).word(Entry::kFlags, Entry::kStruckOut));
    options.entries2024 = convert::entries::LedgerDocuments;
    options.stopAfterEachFirm = true;
    for (const bool rename : {false, true}) {
        startAgain();
        source("2024K990.3", kept + struckOut);
        options.renameConverted = rename;
        ASSERT_TRUE(convertFirm({}, false));
        EXPECT_EQ(target("2024K990.3").size(), Entry::kSize) << rename;
        // Nothing is hidden before the firm is registered.
        EXPECT_TRUE(temp.exists("2023/FIRMA/2024K990.3")) << rename;
        EXPECT_TRUE(hasTarget("_qz_conv.tmp")) << rename;
        convert::FinishFirm(mark, converted);
        EXPECT_FALSE(hasTarget("_qz_conv.tmp")) << rename;
        EXPECT_EQ(temp.exists("2023/FIRMA/2024K990.3"), !rename);
        EXPECT_EQ(temp.exists("2023/FIRMA/2024K990.3~"), rename);
        EXPECT_NE(logsAtWaits.back().find(" SKREŚLONY\n"), std::string::npos) << logsAtWaits.back();
    }
}

}  // namespace
