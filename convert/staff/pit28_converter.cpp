// The PIT-28 converter: a fresh record carries the person's data, and each of the
// twelve monthly blocks starts from the twelfth month's word at +5.
#include "product/records/staff_records.h"
#include "convert/staff/tax_data_common.h"
#include "convert/staff/tax_data_converters.h"

namespace convert {

bool ConvertPit28(product::RecordBytes source, product::RecordBuffer target, const TaxDataContext& context) {
    using Pit28 = product::Pit28Record;
    if (!product::RecordsFit(source, target, Pit28::kSize)) return false;
    if (!AskTaxDataCarry(source, context.selection)) return false;

    if (KeptRecordOf2024(source, context.year2024Source)) {
        product::CopyBytes(source, target, 0, Pit28::kSize);
        return true;
    }
    StartFreshTaxRecord(source, target);  // the byte at 9675 is 0 with the rest
    product::CopyBytes(source, target, Pit28::kByte13943, 1);
    CopyTaxDataHead(source, target);
    const std::uint16_t decemberWord = product::ReadWord(source, Pit28::kDecemberWord);
    for (std::size_t month = 0; month < Pit28::kMonthCount; ++month) {
        const std::size_t block = Pit28::kMonths + month * Pit28::kMonthSize;
        product::WriteWord(target, block + Pit28::kMonthWord, decemberWord);
        product::WriteByte(target, block + Pit28::kMonthLast, 1);
    }
    return true;
}

}  // namespace convert
