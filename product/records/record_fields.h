#pragma once
// Fields inside fixed-size data records: little-endian numbers at fixed offsets and
// short texts (a length byte and the characters) in fields of fixed capacity. Every
// accessor takes offsets that lie inside the record; the record layouts give them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace product {

using RecordBytes = std::span<const std::uint8_t>;
using RecordBuffer = std::span<std::uint8_t>;

// A short text stored at offset in a field of capacity bytes: the length byte and up
// to capacity - 1 characters.
struct TextField {
    std::size_t offset;
    std::size_t capacity;
};

std::uint8_t ReadByte(RecordBytes record, std::size_t offset);
std::uint16_t ReadWord(RecordBytes record, std::size_t offset);
std::uint32_t ReadLong(RecordBytes record, std::size_t offset);
std::int64_t ReadInt64(RecordBytes record, std::size_t offset);
void WriteByte(RecordBuffer record, std::size_t offset, std::uint8_t value);
void WriteWord(RecordBuffer record, std::size_t offset, std::uint16_t value);
void WriteLong(RecordBuffer record, std::size_t offset, std::uint32_t value);
void WriteInt64(RecordBuffer record, std::size_t offset, std::int64_t value);

// Copies count bytes from source to the same offset of target.
void CopyBytes(RecordBytes source, RecordBuffer target, std::size_t offset, std::size_t count);
// Copies count bytes from one offset of source to another offset of target.
void CopyBytes(RecordBytes source, std::size_t from, RecordBuffer target, std::size_t to, std::size_t count);
void ClearBytes(RecordBuffer record, std::size_t offset, std::size_t count);

// The text of a field. A length byte larger than the field (a damaged record) is cut
// to the field's capacity, and to the end of the record, so nothing beyond is read.
std::string ReadText(RecordBytes record, TextField field);

// True when both buffers hold at least size bytes: the copies hand the converters
// buffers of the record size, and a converter given anything smaller writes nothing.
bool RecordsFit(RecordBytes source, RecordBytes target, std::size_t size);

}  // namespace product
