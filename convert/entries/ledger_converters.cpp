#include "convert/entries/ledger_converters.h"

#include "product/records/entry_records.h"
#include "product/records/packed_date.h"
#include "convert/staff/person_keys.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "convert/staff/staff_log.h"
#include "platform/cp852.h"

using namespace platform::literals;

namespace convert {

namespace {

using Entry = product::LedgerEntryRecord;
using Repayment = product::RepaymentRecord;
using Contract = product::ContractRecord;

constexpr std::size_t kDocumentColumn = 10;

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

}  // namespace

bool LedgerEntryConverter::operator()(product::RecordBytes source, product::RecordBuffer target) {
    if (!product::RecordsFit(source, target, Entry::kSize)) return false;
    product::CopyBytes(source, target, 0, Entry::kSize);
    tui::LogWrite("KPR=" + product::PackedDateText(product::ReadPackedDate(source, Entry::kDate)) + " " +
             Padded(product::ReadText(source, Entry::kDocument), kDocumentColumn) + " " + product::ReadText(source, Entry::kText));

    if ((product::ReadWord(source, Entry::kFlags) & Entry::kStruckOut) != 0) {
        tui::LogWriteLine(" SKREŚLONY"_cp);
        if (slow_)
            tui::LogPause();
        else if (stopAfterEachFirm_)
            tui::LogWaitForKey();
        return false;
    }

    product::WriteLong(target, Entry::kSequence, ++lastNumber_);
    product::WriteByte(target, Entry::kState, Entry::kCarriedState);
    tui::LogWriteLine(".ok");
    return true;
}

bool ConvertRepayment(product::RecordBytes source, product::RecordBuffer target) {
    if (!product::RecordsFit(source, target, Repayment::kSize)) return false;
    product::CopyBytes(source, target, 0, Repayment::kSize);
    // One line per repayment, so that a file of several stays readable in the log.
    tui::LogWriteLine("SP= dnia:" + product::PackedDateText(product::ReadPackedDate(source, Repayment::kDate)) + " dok:" +
                 product::ReadText(source, Repayment::kDocument));
    return true;
}

bool KeepSalary(const PersonKeys& keys, product::RecordBuffer record) {
    if (record.size() < product::SalaryRecord::kSize) return false;
    const std::int64_t key = product::ReadInt64(record, product::SalaryRecord::kKey);
    if (key < 0) return false;
    if (!keys.Find(key)) {
        // No log line about it on screen: the report keeps it to be checked.
        ReportToCheck("pominięte wynagrodzenie osoby nieprzeniesionej"_cp, CheckKind::RecordDropped, CheckLine::None);
        return false;
    }
    tui::LogWriteLine("Wynagrodzenie idx = ");
    return true;
}

bool ConvertContract(const PersonKeys& keys, product::RecordBytes source, product::RecordBuffer target) {
    if (!product::RecordsFit(source, target, Contract::kSize)) return false;
    const std::int64_t key = product::ReadInt64(source, Contract::kKey);
    if (key < 0) return false;

    WarnWhenPersonKeysOverflow(keys, "Upss... za duża ilość pracownikow !"_cp);
    if (!keys.Find(key)) {
        tui::LogWriteLine("Upss... nie odnaleziono osoby związanej z odczytną umową/zlecenia !"_cp);
        ReportToCheck("pominięta umowa/zlecenie bez osoby"_cp, CheckKind::RecordDropped);
        tui::LogWaitForKey();
        return false;
    }

    product::CopyBytes(source, target, 0, Contract::kSize);
    product::ClearBytes(target, Contract::kPaid, Contract::kPaidSize);
    product::ClearBytes(target, Contract::kBill, Contract::kBillSize);
    return true;
}

}  // namespace convert
