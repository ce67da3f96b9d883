#include "tools/qz-sample/staff_files.h"

#include <iterator>

#include "platform/cp852.h"
#include "tools/qz-sample/polish_names.h"
#include "tools/qz-sample/scramble.h"

namespace qzsample {

using namespace platform::literals;

namespace {

void putTaxHead(RecordBuffer& record, const PersonPlan& person, int year, SampleRandom& random) {
    using R = TaxDataRecord;
    record.putInt64(R::kKey, person.key);
    record.putDate(R::kDate, PackedDate{1, 1, static_cast<std::uint16_t>(year)});
    record.putLong(R::kValue16, static_cast<std::uint32_t>(random.between(0, 3)));
    record.putText(R::kTaxOffice, random.pick(taxOffices()));
    record.putText(R::kPesel, person.pesel);
    record.putText(R::kSurname, person.surname);
    record.putText(R::kFirstName, person.firstName);
    record.putText(R::kCity, random.pick(cities()).name);
    record.putText(R::kStreet, "ul. " + std::string(random.pick(streets())));
}

}  // namespace

RecordBuffer personRecord(const PersonPlan& person) {
    using R = PersonRecord;
    RecordBuffer record(R::kSize);
    record.putInt64(R::kKey, person.key);
    record.putByte(R::kState, R::kPlain);
    record.putWord(R::kKind, person.owner ? 1 : 0);
    record.putText(R::kSurname, person.surname);
    record.putText(R::kFirstName, person.firstName);
    record.putDate(R::kStart1, person.start1);
    record.putDate(R::kEnd1, person.end1);
    record.putDate(R::kStart2, person.start2);
    record.putDate(R::kEnd2, person.end2);
    if (person.scrambled) {
        ScrambleRecord(record.bytes());
        record.putByte(R::kState, R::kScrambled);
    }
    return record;
}

RecordBuffer familyRecord(const FamilyPlan& member) {
    RecordBuffer record(FamilyRecord::kSize);
    record.putInt64(FamilyRecord::kKey, member.key);
    record.putText(FamilyRecord::kSurname, member.surname);
    record.putText(FamilyRecord::kFirstName, member.firstName);
    return record;
}

RecordBuffer pid5Record(const PersonPlan& person, int year, SampleRandom& random) {
    using R = Pid5Record;
    RecordBuffer record(R::kSize);
    putTaxHead(record, person, year, random);
    const int sources = random.between(1, 3);
    for (int i = 0; i < sources; ++i) {
        record.putText({R::kSources + i * R::kSourceSize, 40}, i == 0 ? "Umowa o pracę"_cp : "Umowa zlecenia"_cp);
        record.putText({R::kSources2 + i * R::kSourceSize, 40}, "Koszty uzyskania przychodu"_cp);
        const double yearEnd = random.amount(1000, 90000);
        record.putDouble(R::kAmounts + i * R::kAmountsSize, random.amount(0, 5000));
        record.putDouble(R::kAmounts + i * R::kAmountsSize + 88, yearEnd);
        record.putDouble(R::kAmounts2 + i * R::kAmountsSize, random.amount(0, 3000));
        record.putDouble(R::kAmounts2 + i * R::kAmountsSize + 88, yearEnd / 5);
    }
    for (int i = 0; i < 2; ++i) {
        record.putText({R::kNotes + i * R::kNotesSize, 60}, i == 0 ? "Ulga na dzieci"_cp : "Darowizny"_cp);
        for (int k = 0; k <= 11; ++k) record.putDouble(R::kTotals + i * R::kTotalsSize + k * 8, random.amount(0, 2000));
    }
    record.putByte(R::kByte13884, static_cast<std::uint8_t>(random.between(0, 2)));
    record.putWord(R::kWord13886, static_cast<std::uint16_t>(random.between(0, 300)));
    for (std::size_t at = R::kFlags13888; at < R::kFlags13888 + 3; ++at)
        record.putByte(at, static_cast<std::uint8_t>(random.between(0, 2)));
    record.putWord(R::kWord13892, static_cast<std::uint16_t>(random.between(0, 300)));
    record.putByte(R::kByte13894, static_cast<std::uint8_t>(random.chance(30) ? random.between(1, 12) : 0));
    record.putWord(R::kWord13899, static_cast<std::uint16_t>(random.between(0, 300)));
    record.putWord(R::kWord13903, static_cast<std::uint16_t>(random.between(0, 300)));
    record.putByte(R::kByte13929, static_cast<std::uint8_t>(random.between(0, 1)));
    record.putByte(R::kByte13943, static_cast<std::uint8_t>(random.between(0, 1)));
    return record;
}

RecordBuffer pit28Record(const PersonPlan& person, int year, SampleRandom& random) {
    using R = Pit28Record;
    RecordBuffer record(R::kSize);
    putTaxHead(record, person, year, random);
    // Lump-sum rates in tenths of a percent, the same for the whole year mostly.
    static constexpr std::uint16_t kRates[] = {30, 55, 85, 120, 150, 170};
    const std::uint16_t rate = kRates[random.below(std::size(kRates))];
    const int monthsDone = year == 2023 ? 12 : random.between(0, 2);
    for (int month = 1; month <= 12; ++month) {
        const std::size_t at = R::kMonths + (month - 1) * R::kMonthSize;
        record.putWord(at + R::kMonthRate, rate);
        record.putDouble(at + 8, month <= monthsDone ? random.amount(0, 40000) : 0.0);
        record.putByte(at + R::kMonthLast, month <= monthsDone ? 1 : 0);
    }
    record.putByte(R::kByte9675, static_cast<std::uint8_t>(random.between(0, 1)));
    record.putByte(R::kByte13943, static_cast<std::uint8_t>(random.between(0, 1)));
    return record;
}

}  // namespace qzsample
