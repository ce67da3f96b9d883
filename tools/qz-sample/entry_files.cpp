#include "tools/qz-sample/entry_files.h"

namespace qzsample {

RecordBuffer ledgerEntryRecord(const LedgerEntry& entry) {
    using R = LedgerEntryRecord;
    RecordBuffer record(R::kSize);
    record.putLong(R::kSequence, entry.sequence);
    record.putDate(R::kDate, entry.date);
    record.putWord(R::kFlags, entry.struckOut ? R::kStruckOut : 0);
    record.putText(R::kDocument, entry.document);
    record.putText(R::kText, entry.text);
    record.putByte(R::kState, entry.state);
    return record;
}

RecordBuffer repaymentRecord(PackedDate date, const std::string& document) {
    RecordBuffer record(RepaymentRecord::kSize);
    record.putDate(RepaymentRecord::kDate, date);
    record.putText(RepaymentRecord::kDocument, document);
    return record;
}

RecordBuffer salaryRecord(std::int64_t key) {
    RecordBuffer record(SalaryRecord::kSize);
    record.putInt64(SalaryRecord::kKey, key);
    return record;
}

RecordBuffer contractRecord(std::int64_t key, double paid, const std::string& bill) {
    RecordBuffer record(ContractRecord::kSize);
    record.putInt64(ContractRecord::kKey, key);
    record.putDouble(ContractRecord::kPaid, paid);
    record.putText(ContractRecord::kBill, bill);
    return record;
}

std::string ledgerFileName(int month) { return "2024K990." + std::to_string(month); }
std::string repaymentFileName(int month) { return "2024SP." + std::to_string(month); }

}  // namespace qzsample
