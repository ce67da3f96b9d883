#pragma once
// The staff files of a firm: persons DANE_PR8.REK, families DANE_PF8.REK and the
// personal tax data of PID-5 (nnnnP5.REK) and PIT-28 (nnnnP28A.REK). Every record
// starts with the person key, a signed 64-bit integer; a negative key marks a removed
// record. Name texts are short texts in 32-byte fields.
#include <string>

#include "tools/qz-sample/record_buffer.h"
#include "tools/qz-sample/sample_random.h"
#include "tools/qz-sample/staff_plan.h"

namespace qzsample {

struct PersonRecord {
    static constexpr std::size_t kSize = 2048;
    static constexpr std::size_t kKey = 0;       // 0, 8: person key
    static constexpr std::size_t kState = 8;     // 8, 1: personal data state: 1 plain, 2 scrambled
    static constexpr std::size_t kKind = 9;      // 9, 2: 0 employee, 1 owner
    static constexpr Field kSurname{40, 32};     // 40, 32: name part shown first
    static constexpr Field kFirstName{72, 32};   // 72, 32: name part shown second
    static constexpr std::size_t kStart1 = 209;  // 209, 4: packed date, start of the first period
    static constexpr std::size_t kEnd1 = 213;    // 213, 4: packed date, end of the first period
    static constexpr std::size_t kStart2 = 1902; // 1902, 4: packed date, start of the second period
    static constexpr std::size_t kEnd2 = 1906;   // 1906, 4: packed date, end of the second period
    static constexpr std::uint8_t kPlain = 1;
    static constexpr std::uint8_t kScrambled = 2;
};

struct FamilyRecord {
    static constexpr std::size_t kSize = 352;
    static constexpr std::size_t kKey = 0;      // 0, 8: key of the person the member belongs to
    static constexpr Field kSurname{56, 32};    // 56, 32: member's name shown first
    static constexpr Field kFirstName{88, 32};  // 88, 32: member's name shown second
};

// PID-5 and PIT-28 records share their head. The blocks and groups below are what
// the converter carries or moves; the sample fills them with plausible values.
struct TaxDataRecord {
    static constexpr std::size_t kSize = 13952;
    static constexpr std::size_t kKey = 0;          // 0, 8: person key
    static constexpr std::size_t kDate = 12;        // 12, 4: packed date; its year word (14) is the record's year
    static constexpr std::size_t kValue16 = 16;     // 16, 4: 32-bit value, 0 in a fresh record
    static constexpr Field kTaxOffice{20, 71};      // 20, 71: carried block; the sample: tax office name
    static constexpr Field kPesel{91, 14};          // 91, 14: carried block; the sample: PESEL
    static constexpr Field kSurname{105, 32};       // 105, 32: person's name shown first
    static constexpr Field kFirstName{137, 27};     // 137, 27: person's name shown second (block ends at 163)
    static constexpr Field kCity{164, 32};          // 164, 224: carried block; the sample: city and street
    static constexpr Field kStreet{196, 32};
};

struct Pid5Record : TaxDataRecord {
    static constexpr std::size_t kSources = 388;        // 388, 8 x 103: carried blocks (income sources)
    static constexpr std::size_t kSourceSize = 103;
    static constexpr std::size_t kAmounts = 1212;       // 1212, 8 x 424: groups of doubles; +0 takes +88
    static constexpr std::size_t kAmountsSize = 424;    //   at the turn of the year
    static constexpr std::size_t kSources2 = 4604;      // 4604, 8 x 103: carried blocks
    static constexpr std::size_t kAmounts2 = 5428;      // 5428, 8 x 424: groups like those at 1212
    static constexpr std::size_t kNotes = 8820;         // 8820, 2 x 169: carried blocks
    static constexpr std::size_t kNotesSize = 169;
    static constexpr std::size_t kTotals = 9158;        // 9158, 2 x 522: twelve doubles at +0 to +88
    static constexpr std::size_t kTotalsSize = 522;
    static constexpr std::size_t kByte13884 = 13884;    // 13884, 1: carried
    static constexpr std::size_t kWord13886 = 13886;    // 13886, 2: carried
    static constexpr std::size_t kFlags13888 = 13888;   // 13888, 3: carried, each 0 becoming 1
    static constexpr std::size_t kWord13892 = 13892;    // 13892, 2: carried
    static constexpr std::size_t kByte13894 = 13894;    // 13894, 1: above 0 makes 13894 = 1, 13895 = 12
    static constexpr std::size_t kWord13899 = 13899;    // 13899, 2: carried
    static constexpr std::size_t kWord13903 = 13903;    // 13903, 2: carried
    static constexpr std::size_t kByte13929 = 13929;    // 13929, 1: carried
    static constexpr std::size_t kByte13943 = 13943;    // 13943, 1: carried
};

struct Pit28Record : TaxDataRecord {
    static constexpr std::size_t kMonths = 388;         // 388, 12 x 768: monthly blocks
    static constexpr std::size_t kMonthSize = 768;
    static constexpr std::size_t kMonthRate = 5;        //   +5, 2: word carried from the twelfth block
    static constexpr std::size_t kMonthLast = 767;      //   +767, 1: set to 1 in a fresh record
    static constexpr std::size_t kByte9675 = 9675;      // 9675, 1: 0 in a fresh record
    static constexpr std::size_t kByte13943 = 13943;    // 13943, 1: carried
};

RecordBuffer personRecord(const PersonPlan& person);
RecordBuffer familyRecord(const FamilyPlan& member);
// A PID-5 or PIT-28 record of the given year for a person of the firm.
RecordBuffer pid5Record(const PersonPlan& person, int year, SampleRandom& random);
RecordBuffer pit28Record(const PersonPlan& person, int year, SampleRandom& random);

}  // namespace qzsample
