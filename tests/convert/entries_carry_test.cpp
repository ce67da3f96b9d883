// The carry-over of the 2024 entries through the real copies: monthly ledger and
// repayment files, January's append, the overwrite question in other months, the
// renaming of converted files, salaries and contracts.
#include "convert/entries/entries_carry.h"

#include <gtest/gtest.h>

#include "product/records/entry_records.h"
#include "convert/copying/file_copy.h"
#include "convert/staff/person_keys.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tests/convert/converter_test.h"

using namespace platform::literals;

namespace {

using Entry = product::LedgerEntryRecord;

std::string entry(std::uint32_t sequence, std::string_view document, bool struckOut = false) {
    qztest::TestRecord record(Entry::kSize);
    record.pattern(0, Entry::kSize, 23).date(Entry::kDate, {2, 1, 2024}).word(Entry::kFlags, struckOut ? 2 : 0);
    record.byte(Entry::kState, 1);
    product::WriteLong(record.bytes, Entry::kSequence, sequence);
    record.text(Entry::kDocument, document).text(Entry::kText, "opis");
    return std::string(record.bytes.begin(), record.bytes.end());
}

std::string keyed(std::size_t size, std::int64_t key) {
    qztest::TestRecord record(size);
    record.pattern(0, size, 31).key(key);
    return std::string(record.bytes.begin(), record.bytes.end());
}

class EntriesCarryTest : public qztest::ConverterTest {
protected:
    EntriesCarryTest() { temp.writeFile("2024/FIRMA/.keep", ""); }

    convert::ConvertedFiles converted;  // the ledger files noted to hide

    std::string sourceDir() const { return temp.root() + "2023" + platform::kSeparator + "FIRMA"; }
    std::string targetDir() const { return temp.root() + "2024" + platform::kSeparator + "FIRMA"; }
    void writeSource(const std::string& name, const std::string& bytes) { temp.writeFile("2023/FIRMA/" + name, bytes); }
    void writeTarget(const std::string& name, const std::string& bytes) { temp.writeFile("2024/FIRMA/" + name, bytes); }
    std::string source(const std::string& name) const { return temp.readFile("2023/FIRMA/" + name); }
    std::string target(const std::string& name) const { return temp.readFile("2024/FIRMA/" + name); }

    // The sequence values and states of the entries of a target ledger file.
    std::vector<std::pair<std::uint32_t, int>> numbering(const std::string& name) const {
        const std::string bytes = target(name);
        const std::span<const std::uint8_t> all(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        std::vector<std::pair<std::uint32_t, int>> out;
        for (std::size_t at = 0; at + Entry::kSize <= all.size(); at += Entry::kSize)
            out.emplace_back(product::ReadLong(all, at), all[at + Entry::kState]);
        return out;
    }

    bool logHas(std::string_view utf8) const { return screen.ScreenContains(utf8); }
};

TEST_F(EntriesCarryTest, MonthsAreNumberedFromOneAndStruckOutEntriesStayBehind) {
    writeSource("2024K990.2", entry(70, "FV 1") + entry(71, "FV 2", true) + entry(72, "FV 3"));
    writeSource("2024K990.11", entry(5, "FV 9"));
    writeSource("2024IDX.REK", "indeks");
    const std::string february = source("2024K990.2");

    convert::CarryLedgerEntries(sourceDir(), targetDir(), options, converted);
    EXPECT_EQ(numbering("2024K990.2"), (std::vector<std::pair<std::uint32_t, int>>{{1, 3}, {2, 3}}));
    std::string first = entry(1, "FV 1");
    first[Entry::kState] = 3;
    EXPECT_EQ(target("2024K990.2").substr(0, Entry::kSize), first);
    EXPECT_EQ(numbering("2024K990.11"), (std::vector<std::pair<std::uint32_t, int>>{{1, 3}}));
    EXPECT_EQ(target("2024IDX.REK"), "indeks");
    EXPECT_EQ(source("2024K990.2"), february);  // renaming is off
    EXPECT_TRUE(logHas("Konwertuję zapisy : Luty"));
    EXPECT_TRUE(logHas("FV 2       opis SKREŚLONY"));
    EXPECT_TRUE(logHas("Plik indeksów złych długów: 2024IDX.REK"));
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(EntriesCarryTest, AnExistingJanuaryTargetGrowsWithoutAQuestion) {
    // The numbering goes on from the last entry's number.
    writeTarget("2024K990.1", entry(5, "A") + entry(6, "B"));
    writeSource("2024K990.1", entry(40, "C") + entry(41, "D"));
    convert::CarryLedgerEntries(sourceDir(), targetDir(), options, converted);
    EXPECT_EQ(numbering("2024K990.1"),
              (std::vector<std::pair<std::uint32_t, int>>{{5, 1}, {6, 1}, {7, 3}, {8, 3}}));
    EXPECT_EQ(target("2024K990.1").substr(0, 2 * Entry::kSize), entry(5, "A") + entry(6, "B"));
    EXPECT_EQ(keyWaits, 0);
    EXPECT_FALSE(logHas("Stwierdzono"));
}

TEST_F(EntriesCarryTest, AnExistingMarchTargetRaisesTheOverwriteQuestion) {
    options.renameConverted = true;
    writeTarget("2024K990.3", entry(9, "STARY"));
    writeSource("2024K990.3", entry(1, "NOWY"));
    type("z");
    convert::CarryLedgerEntries(sourceDir(), targetDir(), options, converted);
    EXPECT_EQ(keyWaits, 1);
    EXPECT_TRUE(logHas("Stwierdzono obecność pliku"));
    EXPECT_EQ(target("2024K990.3"), entry(9, "STARY"));
    // Kept by the answer: the 2023 file must stay visible, or its entries vanish.
    EXPECT_EQ(source("2024K990.3"), entry(1, "NOWY"));
    EXPECT_FALSE(temp.exists("2023/FIRMA/2024K990.3~"));

    type("w");
    convert::CarryLedgerEntries(sourceDir(), targetDir(), options, converted);
    converted.Rename();
    EXPECT_EQ(numbering("2024K990.3"), (std::vector<std::pair<std::uint32_t, int>>{{1, 3}}));
    EXPECT_TRUE(temp.exists("2023/FIRMA/2024K990.3~"));
}

TEST_F(EntriesCarryTest, RenamingHidesConvertedFilesOnly) {
    options.renameConverted = true;
    qztest::TestRecord repayment(product::RepaymentRecord::kSize);
    repayment.date(product::RepaymentRecord::kDate, {3, 7, 2024}).text(product::RepaymentRecord::kDocument, "FV 7");
    writeSource("2024SP.7", std::string(repayment.bytes.begin(), repayment.bytes.end()));
    writeSource("2024IDX.REK", "indeks");

    convert::CarryLedgerEntries(sourceDir(), targetDir(), options, converted);
    converted.Rename();
    EXPECT_EQ(target("2024SP.7"), std::string(repayment.bytes.begin(), repayment.bytes.end()));
    EXPECT_FALSE(temp.exists("2023/FIRMA/2024SP.7"));
    EXPECT_TRUE(temp.exists("2023/FIRMA/2024SP.7~"));
    std::vector<std::string> sourceFiles;
    for (const auto& file : std::filesystem::directory_iterator(temp.path() / "2023" / "FIRMA"))
        sourceFiles.push_back(file.path().filename().string());
    std::sort(sourceFiles.begin(), sourceFiles.end());
    EXPECT_EQ(sourceFiles, (std::vector<std::string>{"2024IDX.REK", "2024SP.7~"}));
    EXPECT_TRUE(logHas("Konwertuję spłaty : Lipiec"));
    EXPECT_TRUE(logHas("SP= dnia:03-07-2024 dok:FV 7"));
}

TEST_F(EntriesCarryTest, AFailedConversionRenamesNothing) {
    options.renameConverted = true;
    writeSource("2024K990.5", entry(1, "A"));
    std::filesystem::remove_all(temp.path() / "2024");  // the target cannot be created
    convert::CarryLedgerEntries(sourceDir(), targetDir(), options, converted);
    converted.Rename();
    EXPECT_TRUE(logHas("Błąd Utworzenia pliku"));
    EXPECT_TRUE(logHas("Przyczyna: nie ma takiej ścieżki")) << "the reason on its own line";
    EXPECT_EQ(source("2024K990.5"), entry(1, "A"));
    EXPECT_FALSE(temp.exists("2023/FIRMA/2024K990.5~"));
    EXPECT_EQ(keyWaits, 1);
}

TEST_F(EntriesCarryTest, SalariesAndContractsFollowThePersonKeyTable) {
    convert::PersonKeys keys;
    keys.Add(1);
    writeSource("2024WP5.REK", keyed(product::SalaryRecord::kSize, 1) + keyed(product::SalaryRecord::kSize, 2) +
                                   keyed(product::SalaryRecord::kSize, -1));
    writeSource("2024UZ5.REK", keyed(product::ContractRecord::kSize, 2) + keyed(product::ContractRecord::kSize, 1));

    convert::CarrySalaries(sourceDir(), targetDir(), keys);
    EXPECT_EQ(target("2024WP5.REK"), keyed(product::SalaryRecord::kSize, 1));
    EXPECT_TRUE(logHas("Wynagrodzenie idx ="));
    EXPECT_EQ(keyWaits, 0);

    convert::CarryContracts(sourceDir(), targetDir(), keys);
    std::string contract = keyed(product::ContractRecord::kSize, 1);
    contract.replace(643, 8, 8, '\0').replace(831, 17, 17, '\0');
    EXPECT_EQ(target("2024UZ5.REK"), contract);
    EXPECT_TRUE(logHas("Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !"));
    EXPECT_EQ(keyWaits, 1);
}

TEST_F(EntriesCarryTest, MissingSalariesAreNamedAndMissingContractsPassSilently) {
    const convert::PersonKeys keys;
    convert::CarryContracts(sourceDir(), targetDir(), keys);
    EXPECT_EQ(log(), "\n");
    convert::CarrySalaries(sourceDir(), targetDir(), keys);
    EXPECT_TRUE(logHas("Brak pliku źródłowego "));
    EXPECT_FALSE(temp.exists("2024/FIRMA/2024UZ5.REK"));
    EXPECT_FALSE(temp.exists("2024/FIRMA/2024WP5.REK"));
}

}  // namespace
