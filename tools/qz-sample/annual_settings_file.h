#pragma once
// A firm's annual settings, nnnn_ROK.REK: exactly three records of 512 bytes. Words
// are 16-bit unsigned, doubles 8-byte IEEE numbers; short texts here hold up to six
// characters (7 bytes). Fields without a name are carried into 2024 unchanged by the
// converter; the sample fills them with small values so that the carry can be seen.
#include <string>

#include "tools/qz-sample/firm_plan.h"
#include "tools/qz-sample/record_buffer.h"
#include "tools/qz-sample/sample_random.h"

namespace qzsample {

inline constexpr std::size_t kAnnualRecordSize = 512;
inline constexpr std::size_t kAnnualRecords = 3;

// Record 1: general settings.
struct AnnualGeneral {
    static constexpr std::size_t kTag = 0;             // 0, 2: record tag (the record's number)
    static constexpr std::size_t kMonthCounter = 2;    // 2, 1: month the firm works in
    static constexpr std::size_t kFirstOpenMonth = 3;  // 3, 1: first month not yet approved; 13 once December is
    static constexpr std::size_t kConstant3a = 4;      // 4, 1: always 3
    static constexpr std::size_t kWord5 = 5;           // 5, 2
    static constexpr std::size_t kWord7 = 7;           // 7, 2
    static constexpr std::size_t kByte12 = 12;         // 12, 1
    static constexpr std::size_t kByte13 = 13;         // 13, 1
    static constexpr std::size_t kWord14 = 14;         // 14, 2
    static constexpr std::size_t kMonths = 16;         // 16, 12 x 8: per month a word of entries, a word of
    static constexpr std::size_t kMonthSize = 8;       //   the last number and a 32-bit document count
    static constexpr std::size_t kWord112 = 112;       // 112, 2
    static constexpr std::size_t kByte114 = 114;       // 114, 1 (also 115 and 116)
    static constexpr std::size_t kVatByProportion = 117;   // 117, 1: settles VAT by proportion (0 = no)
    static constexpr std::size_t kVatProportion = 118;     // 118, 2: VAT proportion for the year, percent
    static constexpr std::size_t kVatSettled = 120;        // 120, 2: VAT proportion settled in the year, percent
    static constexpr std::size_t kByte122 = 122;       // 122, 1
    static constexpr std::size_t kLong123 = 123;       // 123, 4
    static constexpr std::size_t kWord127 = 127;       // 127, 2
    static constexpr std::size_t kConstant3b = 131;    // 131, 1: always 3
    static constexpr std::size_t kByte133 = 133;       // 133, 1
    static constexpr std::size_t kWord135 = 135;       // 135, 2 (also 137 and 139)
    static constexpr std::size_t kByte141 = 141;       // 141, 1 (also 142 and 143)
    static constexpr std::size_t kLong144 = 144;       // 144, 4
    static constexpr std::size_t kBalances = 150;      // 150, 13 doubles: 0 opening balance ... 12 closing
    static constexpr std::size_t kWord254 = 254;       // 254, 2
    static constexpr std::size_t kSecondSeries = 256;  // 256, 12 doubles: months 1 to 12
    static constexpr std::size_t kWord364 = 364;       // 364, 2
    static constexpr std::size_t kDouble408 = 408;     // 408, 8
    static constexpr std::size_t kWord416 = 416;       // 416, 2
    static constexpr std::size_t kByte418 = 418;       // 418, 1 (also 419 and 420)
    static constexpr std::size_t kWord421 = 421;       // 421, 2
};

// Record 2: document numbering.
struct AnnualNumbering {
    static constexpr std::size_t kTag = 0;          // 0, 2: record tag
    static constexpr std::size_t kSeries = 2;       // 2, 10 x 16: numbering series
    static constexpr std::size_t kSeriesSize = 16;
    static constexpr Field kPrefix{0, 7};           //   +0, 7: text before the number
    static constexpr std::size_t kCounter = 7;      //   +7, 2: next number
    static constexpr Field kSuffix{9, 7};           //   +9, 7: text after the number
    static constexpr std::size_t kByte162 = 162;    // 162, 1 (also 163)
};

// Record 3: declarations.
struct AnnualDeclarations {
    static constexpr std::size_t kTag = 0;          // 0, 2: record tag
    static constexpr std::size_t kDouble2 = 2;      // 2, 8
    static constexpr std::size_t kDouble10 = 10;    // 10, 8
    static constexpr std::size_t kMonths = 18;      // 18, 12 x 21: per month; the sample puts a state
    static constexpr std::size_t kMonthSize = 21;   //   byte at +0, a filing date at +1 and an amount at +5
    static constexpr std::size_t kDouble270 = 270;  // 270, 8
    static constexpr std::size_t kWord278 = 278;    // 278, 2
};

struct AnnualSettingsFiles {
    std::string of2023;  // empty when the firm has no 2023_ROK.REK
    std::string of2024;  // empty when the firm has no 2024_ROK.REK
};

// The two years' files are made together so that the 2024 file opens with the 2023
// file's closing balance, as the bookkeeping program would have started it.
AnnualSettingsFiles annualSettingsFiles(const FirmPlan& firm, SampleRandom& random);

}  // namespace qzsample
