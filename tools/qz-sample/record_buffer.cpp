#include "tools/qz-sample/record_buffer.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>

namespace qzsample {

int daysInMonth(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

void RecordBuffer::checkField(std::size_t offset, std::size_t width) const {
    if (offset + width > bytes_.size()) {
        std::fprintf(stderr, "qz-sample: field at %zu (%zu bytes) outside a %zu-byte record\n", offset, width,
                     bytes_.size());
        std::abort();
    }
}

void RecordBuffer::putLittleEndian(std::size_t offset, std::uint64_t value, std::size_t width) {
    checkField(offset, width);
    for (std::size_t i = 0; i < width; ++i) bytes_[offset + i] = static_cast<char>(value >> (8 * i));
}

std::uint64_t RecordBuffer::littleEndianAt(std::size_t offset, std::size_t width) const {
    checkField(offset, width);
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(bytes_[offset + i])) << (8 * i);
    return value;
}

void RecordBuffer::putByte(std::size_t offset, std::uint8_t value) { putLittleEndian(offset, value, 1); }
void RecordBuffer::putWord(std::size_t offset, std::uint16_t value) { putLittleEndian(offset, value, 2); }
void RecordBuffer::putLong(std::size_t offset, std::uint32_t value) { putLittleEndian(offset, value, 4); }
void RecordBuffer::putInt64(std::size_t offset, std::int64_t value) {
    putLittleEndian(offset, static_cast<std::uint64_t>(value), 8);
}
void RecordBuffer::putDouble(std::size_t offset, double value) {
    putLittleEndian(offset, std::bit_cast<std::uint64_t>(value), 8);
}

void RecordBuffer::putDate(std::size_t offset, PackedDate date) {
    putByte(offset, date.day);
    putByte(offset + 1, date.month);
    putWord(offset + 2, date.year);
}

void RecordBuffer::putText(Field field, std::string_view text) {
    checkField(field.offset, field.width);
    const std::size_t length = std::min(text.size(), field.width - 1);
    bytes_[field.offset] = static_cast<char>(length);
    bytes_.replace(field.offset + 1, length, text.substr(0, length));
}

void RecordBuffer::putBytes(std::size_t offset, std::string_view bytes) {
    checkField(offset, bytes.size());
    bytes_.replace(offset, bytes.size(), bytes);
}

std::uint8_t RecordBuffer::byteAt(std::size_t offset) const {
    return static_cast<std::uint8_t>(littleEndianAt(offset, 1));
}
std::uint16_t RecordBuffer::wordAt(std::size_t offset) const {
    return static_cast<std::uint16_t>(littleEndianAt(offset, 2));
}
std::int64_t RecordBuffer::int64At(std::size_t offset) const {
    return static_cast<std::int64_t>(littleEndianAt(offset, 8));
}
double RecordBuffer::doubleAt(std::size_t offset) const {
    return std::bit_cast<double>(littleEndianAt(offset, 8));
}
PackedDate RecordBuffer::dateAt(std::size_t offset) const {
    return PackedDate{byteAt(offset), byteAt(offset + 1), wordAt(offset + 2)};
}
std::string RecordBuffer::textAt(Field field) const {
    checkField(field.offset, field.width);
    const std::size_t length = std::min<std::size_t>(byteAt(field.offset), field.width - 1);
    return bytes_.substr(field.offset + 1, length);
}

std::string joinRecords(const std::vector<RecordBuffer>& records) {
    std::string file;
    for (const RecordBuffer& record : records) file += record.bytes();
    return file;
}

}  // namespace qzsample
