#include "product/records/record_fields.h"

#include <algorithm>
#include <cstring>

namespace product {

namespace {

template <typename Value>
Value ReadLittleEndian(RecordBytes record, std::size_t offset) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(Value); ++i) value |= std::uint64_t{record[offset + i]} << (8 * i);
    return static_cast<Value>(value);
}

template <typename Value>
void WriteLittleEndian(RecordBuffer record, std::size_t offset, Value value) {
    const auto bits = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < sizeof(Value); ++i) record[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

}  // namespace

std::uint8_t ReadByte(RecordBytes record, std::size_t offset) { return record[offset]; }
std::uint16_t ReadWord(RecordBytes record, std::size_t offset) {
    return ReadLittleEndian<std::uint16_t>(record, offset);
}
std::uint32_t ReadLong(RecordBytes record, std::size_t offset) {
    return ReadLittleEndian<std::uint32_t>(record, offset);
}
std::int64_t ReadInt64(RecordBytes record, std::size_t offset) {
    return ReadLittleEndian<std::int64_t>(record, offset);
}

void WriteByte(RecordBuffer record, std::size_t offset, std::uint8_t value) { record[offset] = value; }
void WriteWord(RecordBuffer record, std::size_t offset, std::uint16_t value) {
    WriteLittleEndian(record, offset, value);
}
void WriteLong(RecordBuffer record, std::size_t offset, std::uint32_t value) {
    WriteLittleEndian(record, offset, value);
}
void WriteInt64(RecordBuffer record, std::size_t offset, std::int64_t value) {
    WriteLittleEndian(record, offset, value);
}

void CopyBytes(RecordBytes source, RecordBuffer target, std::size_t offset, std::size_t count) {
    CopyBytes(source, offset, target, offset, count);
}

void CopyBytes(RecordBytes source, std::size_t from, RecordBuffer target, std::size_t to, std::size_t count) {
    std::memmove(target.data() + to, source.data() + from, count);
}

void ClearBytes(RecordBuffer record, std::size_t offset, std::size_t count) {
    std::fill_n(record.begin() + static_cast<std::ptrdiff_t>(offset), count, std::uint8_t{0});
}

std::string ReadText(RecordBytes record, TextField field) {
    if (field.capacity == 0 || field.offset >= record.size()) return {};
    const std::size_t room = std::min(field.capacity, record.size() - field.offset) - 1;
    const std::size_t length = std::min<std::size_t>(record[field.offset], room);
    const auto first = record.begin() + static_cast<std::ptrdiff_t>(field.offset + 1);
    return std::string(first, first + static_cast<std::ptrdiff_t>(length));
}

bool RecordsFit(RecordBytes source, RecordBytes target, std::size_t size) {
    return source.size() >= size && target.size() >= size;
}

}  // namespace product
