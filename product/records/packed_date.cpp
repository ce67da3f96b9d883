#include "product/records/packed_date.h"

#include "tui/polish_text.h"

namespace product {

PackedDate ReadPackedDate(RecordBytes record, std::size_t offset) {
    return {ReadByte(record, offset), ReadByte(record, offset + 1), ReadWord(record, offset + 2)};
}

void WritePackedDate(RecordBuffer record, std::size_t offset, PackedDate date) {
    WriteByte(record, offset, date.day);
    WriteByte(record, offset + 1, date.month);
    WriteWord(record, offset + 2, date.year);
}

std::string PackedDateText(PackedDate date) { return tui::DateText(date.day, date.month, date.year); }

}  // namespace product
