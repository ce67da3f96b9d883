#pragma once
// Record layouts of the 2024 entries that the 2023 program already holds: ledger
// entries 2024K990.m and repayments 2024SP.m (m = month 1-12), salaries 2024WP5.REK
// and commission contracts 2024UZ5.REK. Offsets and widths in bytes.
#include <cstddef>
#include <cstdint>

#include "product/records/record_fields.h"

namespace product {

struct LedgerEntryRecord {
    static constexpr std::size_t kSize = 1024;
    static constexpr std::size_t kSequence = 0;     // 0, 4: entry sequence value
    static constexpr std::size_t kDate = 18;        // 18, 4: packed date of the entry
    static constexpr std::size_t kFlags = 30;       // 30, 2: flags; bit of value 2 = struck out
    static constexpr TextField kDocument{55, 21};   // 55, 21: document, shown in a 10-character column
    static constexpr TextField kText{707, 101};     // 707, 101: what the entry is about, shown after it
    static constexpr std::size_t kState = 861;      // 861, 1: entry state

    static constexpr std::uint16_t kStruckOut = 2;
    static constexpr std::uint8_t kCarriedState = 3;  // the state of every carried entry
};

struct RepaymentRecord {
    static constexpr std::size_t kSize = 48;
    static constexpr std::size_t kDate = 5;         // 5, 4: packed date of the repayment
    static constexpr TextField kDocument{17, 31};   // 17, 31: document repaid, to the record's end
};

struct SalaryRecord {
    static constexpr std::size_t kSize = 26624;
    static constexpr std::size_t kKey = 0;          // 0, 8: person key
};

struct ContractRecord {
    static constexpr std::size_t kSize = 1024;
    static constexpr std::size_t kKey = 0;          // 0, 8: person key
    static constexpr std::size_t kPaid = 643;       // 643, 8: double, cleared in a carried contract
    static constexpr std::size_t kPaidSize = 8;
    static constexpr std::size_t kBill = 831;       // 831, 17: area cleared in a carried contract
    static constexpr std::size_t kBillSize = 17;
};

}  // namespace product
