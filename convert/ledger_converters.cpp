#include "convert/ledger_converters.h"

#include "convert/entry_records.h"
#include "convert/packed_date.h"
#include "convert/person_keys.h"
#include "convert/progress_log.h"
#include "convert/run_report.h"
#include "convert/staff_log.h"
#include "platform/cp852.h"

using namespace platform::literals;

namespace convert {

namespace {

using Entry = LedgerEntryRecord;
using Repayment = RepaymentRecord;
using Contract = ContractRecord;

constexpr std::size_t kDocumentColumn = 10;

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

}  // namespace

bool LedgerEntryConverter::operator()(RecordBytes source, RecordBuffer target) {
    if (!RecordsFit(source, target, Entry::kSize)) return false;
    CopyBytes(source, target, 0, Entry::kSize);
    LogWrite("KPR=" + PackedDateText(ReadPackedDate(source, Entry::kDate)) + " " +
             padded(ReadText(source, Entry::kDocument), kDocumentColumn) + " " + ReadText(source, Entry::kText));

    if ((ReadWord(source, Entry::kFlags) & Entry::kStruckOut) != 0) {
        LogWriteLine(" SKREŚLONY"_cp);
        if (slow_)
            LogPause();
        else if (stopAfterEachFirm_)
            LogWaitForKey();
        return false;
    }

    WriteLong(target, Entry::kSequence, ++lastNumber_);
    WriteByte(target, Entry::kState, Entry::kCarriedState);
    LogWriteLine(".ok");
    return true;
}

bool ConvertRepayment(RecordBytes source, RecordBuffer target) {
    if (!RecordsFit(source, target, Repayment::kSize)) return false;
    CopyBytes(source, target, 0, Repayment::kSize);
    // One line per repayment, so that a file of several stays readable in the log.
    LogWriteLine("SP= dnia:" + PackedDateText(ReadPackedDate(source, Repayment::kDate)) + " dok:" +
                 ReadText(source, Repayment::kDocument));
    return true;
}

bool KeepSalary(RecordBuffer record) {
    if (record.size() < SalaryRecord::kSize) return false;
    const std::int64_t key = ReadInt64(record, SalaryRecord::kKey);
    if (key < 0) return false;
    if (!FindPersonKey(key)) {
        // No log line about it on screen: the report keeps it to be checked.
        ReportToCheck("pominięte wynagrodzenie osoby nieprzeniesionej"_cp, CheckKind::RecordDropped, CheckLine::None);
        return false;
    }
    LogWriteLine("Wynagrodzenie idx = ");
    return true;
}

bool ConvertContract(RecordBytes source, RecordBuffer target) {
    if (!RecordsFit(source, target, Contract::kSize)) return false;
    const std::int64_t key = ReadInt64(source, Contract::kKey);
    if (key < 0) return false;

    WarnWhenPersonKeysOverflow("Upss... za duża ilość pracownikow !"_cp);
    if (!FindPersonKey(key)) {
        LogWriteLine("Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !"_cp);
        ReportToCheck("pominięta umowa/zlecenie bez osoby"_cp, CheckKind::RecordDropped);
        LogWaitForKey();
        return false;
    }

    CopyBytes(source, target, 0, Contract::kSize);
    ClearBytes(target, Contract::kPaid, Contract::kPaidSize);
    ClearBytes(target, Contract::kBill, Contract::kBillSize);
    return true;
}

}  // namespace convert
