#pragma once
// One fixed-size record of a data file, filled field by field. Data files are
// little-endian; texts are short texts (a length byte, then code page 852 characters)
// in fields of fixed capacity; dates are packed dates.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qzsample {

// Day (byte), month (byte), year (16-bit word); all zero means no date. Compared as
// one little-endian 32-bit integer, so year, then month, then day decide.
struct PackedDate {
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint16_t year = 0;

    bool empty() const { return day == 0 && month == 0 && year == 0; }
    std::int32_t packed() const { return static_cast<std::int32_t>(year) << 16 | month << 8 | day; }
};

inline constexpr PackedDate kCutOff{31, 12, 2023};

int daysInMonth(int month, int year);

// A field of a record: where it starts and how many bytes it takes.
struct Field {
    std::size_t offset;
    std::size_t width;
};

class RecordBuffer {
public:
    explicit RecordBuffer(std::size_t size) : bytes_(size, '\0') {}

    void putByte(std::size_t offset, std::uint8_t value);
    void putWord(std::size_t offset, std::uint16_t value);
    void putLong(std::size_t offset, std::uint32_t value);
    void putInt64(std::size_t offset, std::int64_t value);
    void putDouble(std::size_t offset, double value);
    void putDate(std::size_t offset, PackedDate date);
    // A short text: the length byte and at most width - 1 characters; the rest of
    // the field is left as it is.
    void putText(Field field, std::string_view text);
    void putBytes(std::size_t offset, std::string_view bytes);

    std::uint8_t byteAt(std::size_t offset) const;
    std::uint16_t wordAt(std::size_t offset) const;
    std::int64_t int64At(std::size_t offset) const;
    double doubleAt(std::size_t offset) const;
    PackedDate dateAt(std::size_t offset) const;
    std::string textAt(Field field) const;

    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    std::string& bytes() { return bytes_; }

private:
    void putLittleEndian(std::size_t offset, std::uint64_t value, std::size_t width);
    std::uint64_t littleEndianAt(std::size_t offset, std::size_t width) const;
    // A field outside the record is a fault of this generator, never of its input.
    void checkField(std::size_t offset, std::size_t width) const;

    std::string bytes_;
};

// A record file made of whole records.
std::string joinRecords(const std::vector<RecordBuffer>& records);

}  // namespace qzsample
