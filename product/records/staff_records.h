#pragma once
// Record layouts of the staff files: persons DANE_PR8.REK, families DANE_PF8.REK and
// the personal tax data of PID-5 (2024P5.REK) and PIT-28 (2024P28A.REK). Every record
// starts with the person key, a signed 64-bit integer; a negative key marks a removed
// record. Offsets and widths in bytes; dates are packed dates (packed_date.h).
#include <cstddef>
#include <cstdint>

#include "product/records/record_fields.h"

namespace product {

struct PersonRecord {
    static constexpr std::size_t kSize = 2048;
    static constexpr std::size_t kKey = 0;                  // 0, 8: person key
    static constexpr std::size_t kState = 8;                // 8, 1: personal data state
    static constexpr std::size_t kKind = 9;                 // 9, 2: 0 employee, 1 owner
    static constexpr TextField kNameFirst{40, 32};          // 40, 32: name part shown first
    static constexpr TextField kNameSecond{72, 32};         // 72, 32: name part shown second
    static constexpr std::size_t kStart1 = 209;             // 209, 4: start of the first period
    static constexpr std::size_t kEnd1 = 213;               // 213, 4: end of the first period
    static constexpr std::size_t kStart2 = 1902;            // 1902, 4: start of the second period
    static constexpr std::size_t kEnd2 = 1906;              // 1906, 4: end of the second period

    static constexpr std::uint8_t kScrambled = 2;           // state of a scrambled record
    static constexpr std::uint16_t kEmployee = 0;
    static constexpr std::uint16_t kOwner = 1;
};

struct FamilyRecord {
    static constexpr std::size_t kSize = 352;
    static constexpr std::size_t kKey = 0;                  // 0, 8: key of the person the member belongs to
    static constexpr TextField kNameFirst{56, 32};          // 56, 32: member's name part shown first
    static constexpr TextField kNameSecond{88, 32};         // 88, 32: member's name part shown second
};

// The head that PID-5 and PIT-28 records share.
struct TaxDataRecord {
    static constexpr std::size_t kSize = 13952;
    static constexpr std::size_t kKey = 0;                  // 0, 8: person key
    static constexpr std::size_t kDate = 12;                // 12, 4: packed date of the record
    static constexpr std::size_t kYear = 14;                // 14, 2: its year word, the record's year
    static constexpr std::size_t kValue16 = 16;             // 16, 4: 32-bit value, 0 in a fresh record
    static constexpr std::size_t kBlock20 = 20;             // 20, 71: carried block
    static constexpr std::size_t kBlock20Size = 71;
    static constexpr std::size_t kBlock91 = 91;             // 91, 73: carried block holding the names
    static constexpr std::size_t kBlock91Size = 73;
    static constexpr TextField kNameFirst{105, 32};         // 105, 32: person's name part shown first
    static constexpr TextField kNameSecond{137, 27};        // 137, 27: name part shown second, to 163
    static constexpr std::size_t kBlock164 = 164;           // 164, 224: carried block
    static constexpr std::size_t kBlock164Size = 224;
    static constexpr std::size_t kByte13943 = 13943;        // 13943, 1: carried into every record
};

struct Pid5Record : TaxDataRecord {
    static constexpr std::size_t kBlocks388 = 388;          // 388, 8 x 103: carried blocks
    static constexpr std::size_t kBlocks4604 = 4604;        // 4604, 8 x 103: carried blocks
    static constexpr std::size_t kBlockSize103 = 103;
    static constexpr std::size_t kBlocks8820 = 8820;        // 8820, 2 x 169: carried blocks
    static constexpr std::size_t kBlockSize169 = 169;
    static constexpr std::size_t kGroups1212 = 1212;        // 1212, 8 x 424: groups of doubles
    static constexpr std::size_t kGroups5428 = 5428;        // 5428, 8 x 424: groups of doubles
    static constexpr std::size_t kGroupSize424 = 424;
    static constexpr std::size_t kGroups9158 = 9158;        // 9158, 2 x 522: groups of doubles
    static constexpr std::size_t kGroupSize522 = 522;
    static constexpr std::size_t kYearEndDouble = 88;       //   +88, 8: closing value; opens the next year at +0
    static constexpr std::size_t kByte13884 = 13884;        // 13884, 1: carried
    static constexpr std::size_t kWord13886 = 13886;        // 13886, 2: carried
    static constexpr std::size_t kMarks13888 = 13888;       // 13888, 3: carried, each 0 becoming 1
    static constexpr std::size_t kMarks13888Size = 3;
    static constexpr std::size_t kWord13892 = 13892;        // 13892, 2: carried
    static constexpr std::size_t kByte13894 = 13894;        // 13894, 1: above 0 becomes 1 with 12 at 13895
    static constexpr std::size_t kByte13895 = 13895;        // 13895, 1: 12 when 13894 is set
    static constexpr std::size_t kWord13899 = 13899;        // 13899, 2: carried
    static constexpr std::size_t kWord13903 = 13903;        // 13903, 2: carried
    static constexpr std::size_t kByte13929 = 13929;        // 13929, 1: carried
};

struct Pit28Record : TaxDataRecord {
    static constexpr std::size_t kMonths = 388;             // 388, 12 x 768: monthly blocks
    static constexpr std::size_t kMonthSize = 768;
    static constexpr std::size_t kMonthCount = 12;
    static constexpr std::size_t kMonthWord = 5;            //   +5, 2: taken from the twelfth month's word
    static constexpr std::size_t kMonthLast = 767;          //   +767, 1: 1 in a fresh record
    static constexpr std::size_t kDecemberWord = 8841;      // 8841, 2: the twelfth month's word at +5
    static constexpr std::size_t kByte9675 = 9675;          // 9675, 1: 0 in a fresh record
};

}  // namespace product
