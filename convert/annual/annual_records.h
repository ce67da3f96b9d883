#pragma once
// Record layouts of a firm's annual settings nnnn_ROK.REK: exactly three records of
// 512 bytes. Words are 16-bit unsigned, doubles 8-byte IEEE numbers; the short texts
// hold up to six characters (7 bytes). Offsets and widths in bytes. Fields listed as
// carried have no meaning for the conversion: they go into the 2024 record byte for
// byte, whichever year's file is the source; every byte of no field is 0 in 2024.
#include <array>
#include <cstddef>
#include <cstdint>

#include "product/records/record_fields.h"

namespace convert {

inline constexpr std::size_t kAnnualRecordSize = 512;
inline constexpr std::uint16_t kAnnualRecordCount = 3;

// A field carried unchanged.
struct CarriedField {
    std::size_t offset;
    std::size_t width;
};

// Record 1: general settings.
struct AnnualGeneral {
    static constexpr std::size_t kMonthCounter = 2;      // 2, 1: month counter
    static constexpr std::size_t kFirstOpenMonth = 3;    // 3, 1: first month not yet approved; 13 once December is
    static constexpr std::size_t kConstantA = 4;         // 4, 1: always 3
    static constexpr std::size_t kMonths = 16;           // 16, 12 x 8: per month two words, then 4 bytes
    static constexpr std::size_t kMonthSize = 8;         //   +0 and +2: words, 1 in a new year; +4, 4: 0
    static constexpr std::size_t kMonthCount = 12;
    static constexpr std::size_t kVatByProportion = 117;  // 117, 1: settles VAT by proportion (0 = no)
    static constexpr std::size_t kVatProportion = 118;   // 118, 2: VAT proportion for the record's year, percent
    static constexpr std::size_t kVatSettled = 120;      // 120, 2: VAT proportion settled in the year, percent
    static constexpr std::size_t kConstantB = 131;       // 131, 1: always 3
    static constexpr std::size_t kBalances = 150;        // 150, 13 doubles: 0 opening balance ... 12 closing
    static constexpr std::size_t kBalanceCount = 13;
    static constexpr std::size_t kSecondSeries = 256;    // 256, 12 doubles: months 1 to 12
    static constexpr std::size_t kSecondSeriesCount = 12;
    static constexpr std::size_t kWord416 = 416;         // 416, 2: 1 in a new year

    static constexpr std::uint8_t kConstant = 3;
    static constexpr std::uint8_t kDecemberApproved = 13;

    static constexpr auto kCarried = std::to_array<CarriedField>({
        {0, 2},    // record tag
        {5, 2},   {7, 2},   {12, 1},  {13, 1},  {14, 2},  {112, 2}, {114, 1}, {115, 1}, {116, 1},
        {117, 1},  // settles VAT by proportion
        {122, 1}, {123, 4}, {127, 2}, {133, 1}, {135, 2}, {137, 2}, {139, 2}, {141, 1}, {142, 1},
        {143, 1}, {144, 4}, {254, 2}, {364, 2}, {408, 8}, {418, 1}, {419, 1}, {420, 1}, {421, 2},
    });
};

// Record 2: document numbering.
struct AnnualNumbering {
    static constexpr std::size_t kSeries = 2;            // 2, 10 x 16: numbering series
    static constexpr std::size_t kSeriesCount = 10;
    static constexpr std::size_t kSeriesSize = 16;
    static constexpr product::TextField kPrefix{0, 7};            //   +0, 7: text before the number
    static constexpr std::size_t kCounter = 7;           //   +7, 2: next number; 1 in a new year
    static constexpr product::TextField kSuffix{9, 7};            //   +9, 7: text after the number

    static constexpr auto kCarried = std::to_array<CarriedField>({
        {0, 2},    // record tag
        {162, 1}, {163, 1},
    });
};

// Record 3: declarations.
struct AnnualDeclarations {
    static constexpr std::size_t kMonths = 18;           // 18, 12 x 21: per month; 0 in a new year
    static constexpr std::size_t kMonthsSize = 12 * 21;

    static constexpr auto kCarried = std::to_array<CarriedField>({
        {0, 2},    // record tag
        {2, 8}, {10, 8}, {270, 8}, {278, 2},
    });
};

// Each builds a 2024 record from zeros out of a source record, of the 2024 file the
// 2023 program kept (from2024) or of the 2023 file. Both buffers hold
// kAnnualRecordSize bytes.
void BuildGeneral(product::RecordBytes source, product::RecordBuffer target, bool from2024);
void BuildNumbering(product::RecordBytes source, product::RecordBuffer target, bool from2024);
void BuildDeclarations(product::RecordBytes source, product::RecordBuffer target, bool from2024);

}  // namespace convert
