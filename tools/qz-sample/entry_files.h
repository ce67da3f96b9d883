#pragma once
// The 2024 entries that the 2023 program already holds: ledger entries 2024K990.m,
// repayments 2024SP.m (m = month 1 to 12, no leading zero), salaries 2024WP5.REK and
// commission contracts 2024UZ5.REK.
#include <cstdint>
#include <string>

#include "tools/qz-sample/record_buffer.h"

namespace qzsample {

struct LedgerEntryRecord {
    static constexpr std::size_t kSize = 1024;
    static constexpr std::size_t kSequence = 0;   // 0, 4: entry sequence value
    static constexpr std::size_t kDate = 18;      // 18, 4: packed date of the entry
    static constexpr std::size_t kFlags = 30;     // 30, 2: flags; value 2 = struck out
    static constexpr Field kDocument{55, 21};     // 55, 21: document number, shown in 10 columns
    static constexpr Field kText{707, 101};       // 707, 101: what the entry is about
    static constexpr std::size_t kState = 861;    // 861, 1: entry state (3 once carried into 2024)
    static constexpr std::uint16_t kStruckOut = 2;
};

struct RepaymentRecord {
    static constexpr std::size_t kSize = 48;
    static constexpr std::size_t kDate = 5;       // 5, 4: packed date of the repayment
    static constexpr Field kDocument{17, 31};     // 17, 31: document repaid
};

struct SalaryRecord {
    static constexpr std::size_t kSize = 26624;
    static constexpr std::size_t kKey = 0;        // 0, 8: person key
};

struct ContractRecord {
    static constexpr std::size_t kSize = 1024;
    static constexpr std::size_t kKey = 0;        // 0, 8: person key
    static constexpr std::size_t kPaid = 643;     // 643, 8: double, cleared in a carried contract
    static constexpr Field kBill{831, 17};        // 831, 17: bill area, cleared in a carried contract
};

struct LedgerEntry {
    std::uint32_t sequence;
    PackedDate date;
    bool struckOut;
    std::string document;  // code page 852
    std::string text;
    std::uint8_t state;
};

RecordBuffer ledgerEntryRecord(const LedgerEntry& entry);
RecordBuffer repaymentRecord(PackedDate date, const std::string& document);
RecordBuffer salaryRecord(std::int64_t key);
RecordBuffer contractRecord(std::int64_t key, double paid, const std::string& bill);

std::string ledgerFileName(int month);
std::string repaymentFileName(int month);

}  // namespace qzsample
