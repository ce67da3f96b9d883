#include "convert/staff/tax_data_common.h"

#include "product/records/packed_date.h"
#include "tui/progress_log.h"
#include "convert/staff/staff_log.h"
#include "product/records/staff_records.h"
#include "platform/cp852.h"

using namespace platform::literals;

namespace convert {

namespace {
using TaxData = product::TaxDataRecord;
constexpr std::uint16_t kYear2024 = 2024;
}  // namespace

bool AskTaxDataCarry(product::RecordBytes source, PitDSelection selection) {
    LogPersonName("Osoba: "_cp, product::ReadText(source, TaxData::kNameFirst), product::ReadText(source, TaxData::kNameSecond),
                  selection == PitDSelection::AskEach);
    bool carried = true;
    if (selection == PitDSelection::AskEach)
        carried = AskLetter(" Przenieść T/N ? "_cp, "TN") == 'T';
    tui::LogWriteLine();
    return carried;
}

bool KeptRecordOf2024(product::RecordBytes source, bool year2024Source) {
    return year2024Source && product::ReadWord(source, TaxData::kYear) == kYear2024;
}

void StartFreshTaxRecord(product::RecordBytes source, product::RecordBuffer target) {
    product::ClearBytes(target, 0, TaxData::kSize);
    product::WriteInt64(target, TaxData::kKey, product::ReadInt64(source, TaxData::kKey));
    product::WritePackedDate(target, TaxData::kDate, product::kFirstDay2024);
}

void CopyTaxDataHead(product::RecordBytes source, product::RecordBuffer target) {
    product::CopyBytes(source, target, TaxData::kBlock20, TaxData::kBlock20Size);
    product::CopyBytes(source, target, TaxData::kBlock91, TaxData::kBlock91Size);
    product::CopyBytes(source, target, TaxData::kBlock164, TaxData::kBlock164Size);
}

}  // namespace convert
