// The PID-5 converter: the person's data and income blocks are carried, and in the
// groups of doubles the year's closing value (+88) opens the new year (+0).
#include <algorithm>

#include "product/records/staff_records.h"
#include "convert/staff/tax_data_common.h"
#include "convert/staff/tax_data_converters.h"

namespace convert {

namespace {

using Pid5 = product::Pid5Record;

constexpr std::size_t kDoubleSize = 8;
constexpr std::size_t kBlockCount8 = 8;
constexpr std::size_t kBlockCount2 = 2;
constexpr std::uint8_t kAllMonths = 12;

void CopyBlocks(product::RecordBytes source, product::RecordBuffer target, std::size_t offset, std::size_t count, std::size_t size) {
    product::CopyBytes(source, target, offset, count * size);
}

// In each group the double at +0 takes the source's double at +88.
void CarryYearEnd(product::RecordBytes source, product::RecordBuffer target, std::size_t offset, std::size_t count,
                  std::size_t size) {
    for (std::size_t group = offset; group < offset + count * size; group += size)
        product::CopyBytes(source, group + Pid5::kYearEndDouble, target, group, kDoubleSize);
}

void CopySingleFields(product::RecordBytes source, product::RecordBuffer target) {
    product::CopyBytes(source, target, Pid5::kByte13884, 1);
    product::CopyBytes(source, target, Pid5::kWord13886, 2);
    product::CopyBytes(source, target, Pid5::kWord13892, 2);
    product::CopyBytes(source, target, Pid5::kWord13899, 2);
    product::CopyBytes(source, target, Pid5::kWord13903, 2);
    product::CopyBytes(source, target, Pid5::kByte13929, 1);
    product::CopyBytes(source, target, Pid5::kByte13943, 1);
    if (product::ReadByte(source, Pid5::kByte13894) > 0) {
        product::WriteByte(target, Pid5::kByte13894, 1);
        product::WriteByte(target, Pid5::kByte13895, kAllMonths);
    }
    for (std::size_t offset = Pid5::kMarks13888; offset < Pid5::kMarks13888 + Pid5::kMarks13888Size; ++offset)
        product::WriteByte(target, offset, std::max<std::uint8_t>(product::ReadByte(source, offset), 1));
}

}  // namespace

bool ConvertPid5(product::RecordBytes source, product::RecordBuffer target, const TaxDataContext& context) {
    if (!product::RecordsFit(source, target, Pid5::kSize)) return false;
    if (!AskTaxDataCarry(source, context.selection)) return false;

    const bool kept = KeptRecordOf2024(source, context.year2024Source);
    if (kept)
        product::CopyBytes(source, target, 0, Pid5::kSize);
    else
        StartFreshTaxRecord(source, target);

    CopyTaxDataHead(source, target);
    CopyBlocks(source, target, Pid5::kBlocks388, kBlockCount8, Pid5::kBlockSize103);
    CopyBlocks(source, target, Pid5::kBlocks4604, kBlockCount8, Pid5::kBlockSize103);
    CopyBlocks(source, target, Pid5::kBlocks8820, kBlockCount2, Pid5::kBlockSize169);

    CarryYearEnd(source, target, Pid5::kGroups1212, kBlockCount8, Pid5::kGroupSize424);
    if (!kept) {
        CarryYearEnd(source, target, Pid5::kGroups5428, kBlockCount8, Pid5::kGroupSize424);
        // A fresh record's doubles at +0 to +88 are already 0 before the carry.
        CarryYearEnd(source, target, Pid5::kGroups9158, kBlockCount2, Pid5::kGroupSize522);
    }

    CopySingleFields(source, target);
    return true;
}

}  // namespace convert
