// The converters of the 2024 entries: ledger entries (struck-out ones stay behind,
// the carried ones are numbered), repayments, the salary filter and contracts.
#include "convert/entries/ledger_converters.h"

#include <gtest/gtest.h>

#include "product/records/entry_records.h"
#include "convert/staff/person_keys.h"
#include "platform/cp852.h"
#include "tests/convert/converter_test.h"

using namespace platform::literals;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Entry = product::LedgerEntryRecord;

qztest::TestRecord ledgerEntry(std::uint32_t sequence, product::PackedDate date, std::string_view document,
                               std::string_view text, bool struckOut = false) {
    qztest::TestRecord record(Entry::kSize);
    record.pattern(0, Entry::kSize, 17);
    product::WriteLong(record.bytes, 0, sequence);
    record.date(18, date).word(30, struckOut ? 0x0803 : 0x0801).byte(861, 1);
    return record.text({55, 21}, document).text({707, 101}, text);
}

class LedgerConvertersTest : public qztest::ConverterTest {
protected:
    Bytes target;
    convert::LedgerEntryConverter entries{0, options};

    bool convertEntry(const qztest::TestRecord& record) {
        target.assign(Entry::kSize, 0);
        return entries(record.bytes, target);
    }
};

TEST_F(LedgerConvertersTest, CarriedEntriesAreNumberedAndMarked) {
    const auto first = ledgerEntry(900, {2, 1, 2024}, "FV 1/24", "Sprzedaż towaru"_cp);
    ASSERT_TRUE(convertEntry(first));
    Bytes expected = first.bytes;
    expected[0] = 1;
    expected[1] = expected[2] = expected[3] = 0;
    expected[861] = 3;
    EXPECT_EQ(target, expected);

    EXPECT_FALSE(convertEntry(ledgerEntry(901, {3, 1, 2024}, "FV 2/24", "Storno", true)));
    ASSERT_TRUE(convertEntry(ledgerEntry(902, {4, 1, 2024}, "RACHUNEK 12345", "Zakup")));
    EXPECT_EQ(product::ReadLong(target, 0), 2u);
    EXPECT_EQ(log(),
              "KPR=02-01-2024 FV 1/24    Sprzedaż towaru.ok\n"
              "KPR=03-01-2024 FV 2/24    Storno SKREŚLONY\n"
              "KPR=04-01-2024 RACHUNEK 12345 Zakup.ok\n");

    // Entries added to a file that holds some continue its numbering.
    entries = convert::LedgerEntryConverter(41, options);
    ASSERT_TRUE(convertEntry(first));
    EXPECT_EQ(product::ReadLong(target, 0), 42u);
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(LedgerConvertersTest, AStruckOutEntryWaitsAsTheRunAsks) {
    const struct {
        bool slow;
        bool stopAfterEachFirm;
        std::uint64_t pauseMs;
        int keyWaits;
    } cases[] = {
        {false, false, 0, 0},
        {true, false, 1000, 0},
        {false, true, 0, 1},
        {true, true, 1000, 0},  // slow mode pauses instead of waiting
    };
    const auto struck = ledgerEntry(5, {9, 2, 2024}, "KP 3", "Zwrot", true);
    for (const auto& c : cases) {
        options.slowMode = c.slow;
        options.stopAfterEachFirm = c.stopAfterEachFirm;
        tui::SetSlowLog(c.slow);
        entries = convert::LedgerEntryConverter(0, options);
        keyWaits = 0;
        const std::uint64_t sleptBefore = clock.TotalSleptMs();
        EXPECT_FALSE(convertEntry(struck));
        const std::uint64_t slept = clock.TotalSleptMs() - sleptBefore;
        EXPECT_EQ(keyWaits, c.keyWaits) << "slow " << c.slow << ", stop " << c.stopAfterEachFirm;
        if (c.keyWaits == 0) {  // a key wait lets the clock run
            EXPECT_EQ(slept, c.pauseMs) << "slow " << c.slow << ", stop " << c.stopAfterEachFirm;
        }
    }
}

TEST_F(LedgerConvertersTest, DamagedTextLengthsAreCutToTheirFields) {
    auto entry = ledgerEntry(1, {2, 1, 2024}, "ABCDEFGHIJKLMNOPQRST", "Opis");
    entry.byte(55, 250);  // the field holds 20 characters
    ASSERT_TRUE(convertEntry(entry));
    EXPECT_EQ(log(), "KPR=02-01-2024 ABCDEFGHIJKLMNOPQRST Opis.ok\n");
}

TEST_F(LedgerConvertersTest, RepaymentsAreCarriedOnALineEach) {
    qztest::TestRecord repayment(product::RepaymentRecord::kSize);
    repayment.pattern(0, 48, 2).date(5, {10, 3, 2024}).text({17, 31}, "FV 7/23");
    Bytes out(48, 0);
    ASSERT_TRUE(convert::ConvertRepayment(repayment.bytes, out));
    EXPECT_EQ(out, repayment.bytes);
    repayment.byte(17, 255);  // a length that runs to the record's end, and past it
    ASSERT_TRUE(convert::ConvertRepayment(repayment.bytes, out));
    const std::string rest(repayment.bytes.begin() + 18, repayment.bytes.end());
    EXPECT_EQ(screen.BytesAt(1, 3, 32), "SP= dnia:10-03-2024 dok:FV 7/23 ");
    EXPECT_EQ(screen.BytesAt(25, 4, 31), rest + " ");
}

TEST_F(LedgerConvertersTest, SalariesFollowThePersonKeyTable) {
    convert::PersonKeys keys;
    keys.Add(11);
    keys.Add(12);
    const struct {
        std::int64_t key;
        bool kept;
    } cases[] = {{11, true}, {12, true}, {13, false}, {-11, false}, {0, false}};
    for (const auto& c : cases) {
        qztest::TestRecord salary(product::SalaryRecord::kSize);
        salary.pattern(0, salary.bytes.size(), 9).key(c.key);
        const Bytes before = salary.bytes;
        clearLog();
        EXPECT_EQ(convert::KeepSalary(keys, salary.bytes), c.kept) << c.key;
        EXPECT_EQ(salary.bytes, before) << c.key;
        EXPECT_EQ(log(), c.kept ? "Wynagrodzenie idx =\n" : "\n") << c.key;
        EXPECT_EQ(screen.BytesAt(1, 3, 21), c.kept ? "Wynagrodzenie idx =  " : std::string(21, ' ')) << c.key;
    }
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(LedgerConvertersTest, ContractsOfPersonsNotFoundAreDroppedWithAKeyWaitEach) {
    convert::PersonKeys keys;
    for (std::int64_t key = 1; key <= 2049; ++key) keys.Add(key);
    qztest::TestRecord contract(product::ContractRecord::kSize);
    Bytes out(contract.bytes.size(), 0);
    EXPECT_FALSE(convert::ConvertContract(keys, contract.key(-11).bytes, out));  // removed: silent
    EXPECT_EQ(keyWaits, 0);
    // More persons than the table holds: each contract is preceded by the warning.
    EXPECT_TRUE(convert::ConvertContract(keys, contract.key(2047).bytes, out));
    EXPECT_FALSE(convert::ConvertContract(keys, contract.key(2048).bytes, out));
    // The last entry was never filled: a key 0 must not match it.
    EXPECT_FALSE(convert::ConvertContract(keys, contract.key(0).bytes, out));
    EXPECT_EQ(keyWaits, 5);
    EXPECT_EQ(log(),
              "Upss... za duża ilość pracownikow !\n"
              "Upss... za duża ilość pracownikow !\n"
              "Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !\n"
              "Upss... za duża ilość pracownikow !\n"
              "Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !\n");
}

}  // namespace
