#pragma once
// The converters and the filter of the 2024 entries that the 2023 program already
// holds: ledger entries, repayments, salaries and commission contracts. Ledger
// entries that were struck out stay behind; salaries and contracts follow only the
// persons of the firm's person key table.
#include <cstdint>

#include "convert/options.h"
#include "convert/staff/person_keys.h"
#include "product/records/record_fields.h"

namespace convert {

// The ledger entries (LedgerEntryRecord::kSize bytes) of one monthly ledger file. The
// next carried entry gets lastNumber + 1, the one after it lastNumber + 2, and so
// on: 0 for a new file, the last entry's number when entries are added to a file
// that already holds some. A struck-out entry's line is followed by a pause in slow
// mode, else by a key wait when the run stops after each firm.
class LedgerEntryConverter {
public:
    LedgerEntryConverter(std::uint32_t lastNumber, const Options& options)
        : lastNumber_(lastNumber), slow_(options.slowMode), stopAfterEachFirm_(options.stopAfterEachFirm) {}
    bool operator()(product::RecordBytes source, product::RecordBuffer target);

private:
    std::uint32_t lastNumber_;
    bool slow_;
    bool stopAfterEachFirm_;
};
// Repayments (RepaymentRecord::kSize bytes); every one is carried.
bool ConvertRepayment(product::RecordBytes source, product::RecordBuffer target);
// The filter of the salary copy (SalaryRecord::kSize bytes).
bool KeepSalary(const PersonKeys& keys, product::RecordBuffer record);
// Commission contracts (ContractRecord::kSize bytes).
bool ConvertContract(const PersonKeys& keys, product::RecordBytes source, product::RecordBuffer target);

}  // namespace convert
