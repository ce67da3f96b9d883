// The PIT-28 converter: a fresh record carries the person's data, and each of the
// twelve monthly blocks starts from the twelfth month's word at +5.
#include "convert/staff_records.h"
#include "convert/tax_data_common.h"
#include "convert/tax_data_converters.h"

namespace convert {

bool ConvertPit28(RecordBytes source, RecordBuffer target, const TaxDataContext& context) {
    using Pit28 = Pit28Record;
    if (!RecordsFit(source, target, Pit28::kSize)) return false;
    if (!AskTaxDataCarry(source, context.selection)) return false;

    if (KeptRecordOf2024(source, context.year2024Source)) {
        CopyBytes(source, target, 0, Pit28::kSize);
        return true;
    }
    StartFreshTaxRecord(source, target);  // the byte at 9675 is 0 with the rest
    CopyBytes(source, target, Pit28::kByte13943, 1);
    CopyTaxDataHead(source, target);
    const std::uint16_t decemberWord = ReadWord(source, Pit28::kDecemberWord);
    for (std::size_t month = 0; month < Pit28::kMonthCount; ++month) {
        const std::size_t block = Pit28::kMonths + month * Pit28::kMonthSize;
        WriteWord(target, block + Pit28::kMonthWord, decemberWord);
        WriteByte(target, block + Pit28::kMonthLast, 1);
    }
    return true;
}

}  // namespace convert
