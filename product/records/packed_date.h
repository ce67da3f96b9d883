#pragma once
// The packed date of person-related records: day (byte), month (byte), year (16-bit
// word), four bytes in all; all four bytes 0 mean no date. Read as one signed 32-bit
// little-endian integer, the year decides first, then the month, then the day, which
// is how the family's programs compare dates.
#include <compare>
#include <cstdint>
#include <string>

#include "product/records/record_fields.h"

namespace product {

struct PackedDate {
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint16_t year = 0;

    constexpr bool Empty() const { return day == 0 && month == 0 && year == 0; }
    // The 32-bit value the dates are compared by.
    constexpr std::int32_t Order() const {
        return static_cast<std::int32_t>(std::uint32_t{year} << 16 | std::uint32_t{month} << 8 | day);
    }
    constexpr std::strong_ordering operator<=>(const PackedDate& other) const { return Order() <=> other.Order(); }
    constexpr bool operator==(const PackedDate& other) const { return Order() == other.Order(); }
};


// The last day of the year that is carried over: who is employed on it continues.
inline constexpr PackedDate kYearEnd2023{31, 12, 2023};
inline constexpr PackedDate kFirstDay2024{1, 1, 2024};

PackedDate ReadPackedDate(RecordBytes record, std::size_t offset);
void WritePackedDate(RecordBuffer record, std::size_t offset, PackedDate date);
// "dd-mm-yyyy", or "-" for a date that is not one.
std::string PackedDateText(PackedDate date);

}  // namespace product
