#include "convert/tax_data_common.h"

#include "convert/packed_date.h"
#include "convert/progress_log.h"
#include "convert/staff_log.h"
#include "convert/staff_records.h"
#include "platform/cp852.h"

using namespace platform::literals;

namespace convert {

namespace {
using TaxData = TaxDataRecord;
constexpr std::uint16_t kYear2024 = 2024;
}  // namespace

bool AskTaxDataCarry(RecordBytes source, PitDSelection selection) {
    LogPersonName("Osoba: "_cp, ReadText(source, TaxData::kNameFirst), ReadText(source, TaxData::kNameSecond));
    bool carried = true;
    if (selection == PitDSelection::AskEach)
        carried = AskLetter(" Przenieść T/N ? "_cp, "TN") == 'T';
    LogWriteLine();
    return carried;
}

bool KeptRecordOf2024(RecordBytes source, bool year2024Source) {
    return year2024Source && ReadWord(source, TaxData::kYear) == kYear2024;
}

void StartFreshTaxRecord(RecordBytes source, RecordBuffer target) {
    ClearBytes(target, 0, TaxData::kSize);
    WriteInt64(target, TaxData::kKey, ReadInt64(source, TaxData::kKey));
    WritePackedDate(target, TaxData::kDate, kFirstDay2024);
}

void CopyTaxDataHead(RecordBytes source, RecordBuffer target) {
    CopyBytes(source, target, TaxData::kBlock20, TaxData::kBlock20Size);
    CopyBytes(source, target, TaxData::kBlock91, TaxData::kBlock91Size);
    CopyBytes(source, target, TaxData::kBlock164, TaxData::kBlock164Size);
}

}  // namespace convert
