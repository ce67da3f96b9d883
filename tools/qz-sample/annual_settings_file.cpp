#include "tools/qz-sample/annual_settings_file.h"

#include <algorithm>


namespace qzsample {

namespace {

constexpr const char* kSeriesNames[] = {"FV", "FK", "RK", "WB", "DW", "KP", "KW", "NK", "LP", "UZ"};

// What both years' files share: the values that 2023 closes with and 2024 opens with.
struct YearValues {
    int year;
    int monthsDone;  // months with entries
    double balances[13];
    double secondSeries[12];
    int vatProportion;
    int vatSettled;
    int firstOpenMonth;
};

RecordBuffer generalRecord(const FirmPlan& firm, const YearValues& values, SampleRandom& random) {
    using R = AnnualGeneral;
    RecordBuffer record(kAnnualRecordSize);
    record.putWord(R::kTag, 1);
    record.putByte(R::kMonthCounter, static_cast<std::uint8_t>(values.monthsDone));
    record.putByte(R::kFirstOpenMonth, static_cast<std::uint8_t>(values.firstOpenMonth));
    record.putByte(R::kConstant3a, 3);
    record.putWord(R::kWord5, static_cast<std::uint16_t>(random.between(0, 60)));
    record.putWord(R::kWord7, static_cast<std::uint16_t>(random.between(0, 60)));
    record.putByte(R::kByte12, static_cast<std::uint8_t>(random.between(0, 2)));
    record.putByte(R::kByte13, static_cast<std::uint8_t>(random.between(0, 2)));
    record.putWord(R::kWord14, static_cast<std::uint16_t>(random.between(0, 900)));
    for (int month = 1; month <= 12; ++month) {
        const std::size_t at = R::kMonths + (month - 1) * R::kMonthSize;
        if (month <= values.monthsDone) {
            const int entries = random.between(5, 180);
            record.putWord(at, static_cast<std::uint16_t>(entries));
            record.putWord(at + 2, static_cast<std::uint16_t>(entries + random.between(0, 9)));
            record.putLong(at + 4, static_cast<std::uint32_t>(random.between(1, 400)));
        } else {
            record.putWord(at, 1);
            record.putWord(at + 2, 1);
        }
    }
    record.putWord(R::kWord112, static_cast<std::uint16_t>(random.between(0, 5)));
    for (std::size_t at = R::kByte114; at <= R::kByte114 + 2; ++at)
        record.putByte(at, static_cast<std::uint8_t>(random.between(0, 1)));
    record.putByte(R::kVatByProportion, firm.vatByProportion ? 1 : 0);
    record.putWord(R::kVatProportion, static_cast<std::uint16_t>(values.vatProportion));
    record.putWord(R::kVatSettled, static_cast<std::uint16_t>(values.vatSettled));
    record.putByte(R::kByte122, static_cast<std::uint8_t>(random.between(0, 3)));
    record.putLong(R::kLong123, static_cast<std::uint32_t>(random.between(0, 100000)));
    record.putWord(R::kWord127, static_cast<std::uint16_t>(random.between(0, 12)));
    record.putByte(R::kConstant3b, 3);
    record.putByte(R::kByte133, static_cast<std::uint8_t>(random.between(0, 1)));
    for (std::size_t at = R::kWord135; at <= R::kWord135 + 4; at += 2)
        record.putWord(at, static_cast<std::uint16_t>(random.between(0, 500)));
    for (std::size_t at = R::kByte141; at <= R::kByte141 + 2; ++at)
        record.putByte(at, static_cast<std::uint8_t>(random.between(0, 1)));
    record.putLong(R::kLong144, static_cast<std::uint32_t>(random.between(0, 100000)));
    for (int i = 0; i < 13; ++i) record.putDouble(R::kBalances + i * 8, values.balances[i]);
    record.putWord(R::kWord254, static_cast<std::uint16_t>(random.between(0, 10)));
    for (int i = 0; i < 12; ++i) record.putDouble(R::kSecondSeries + i * 8, values.secondSeries[i]);
    record.putWord(R::kWord364, static_cast<std::uint16_t>(random.between(0, 10)));
    record.putDouble(R::kDouble408, random.amount(0, 30000));
    record.putWord(R::kWord416, static_cast<std::uint16_t>(values.year == 2023 ? random.between(2, 12) : 1));
    for (std::size_t at = R::kByte418; at <= R::kByte418 + 2; ++at)
        record.putByte(at, static_cast<std::uint8_t>(random.between(0, 1)));
    record.putWord(R::kWord421, static_cast<std::uint16_t>(random.between(0, 99)));
    return record;
}

RecordBuffer numberingRecord(const YearValues& values, SampleRandom& random) {
    using R = AnnualNumbering;
    RecordBuffer record(kAnnualRecordSize);
    record.putWord(R::kTag, 2);
    const std::string suffix = "/" + std::to_string(values.year % 100);
    for (int i = 0; i < 10; ++i) {
        const std::size_t at = R::kSeries + i * R::kSeriesSize;
        record.putText({at + R::kPrefix.offset, R::kPrefix.width}, std::string(kSeriesNames[i]) + "/");
        const int next = values.monthsDone == 12 ? random.between(1, 500) : random.between(1, 40);
        record.putWord(at + R::kCounter, static_cast<std::uint16_t>(next));
        record.putText({at + R::kSuffix.offset, R::kSuffix.width}, suffix);
    }
    record.putByte(R::kByte162, static_cast<std::uint8_t>(random.between(0, 1)));
    record.putByte(R::kByte162 + 1, static_cast<std::uint8_t>(random.between(0, 1)));
    return record;
}

RecordBuffer declarationsRecord(const YearValues& values, SampleRandom& random) {
    using R = AnnualDeclarations;
    RecordBuffer record(kAnnualRecordSize);
    record.putWord(R::kTag, 3);
    record.putDouble(R::kDouble2, random.amount(0, 5000));
    record.putDouble(R::kDouble10, random.amount(0, 5000));
    for (int month = 1; month <= values.monthsDone; ++month) {
        const std::size_t at = R::kMonths + (month - 1) * R::kMonthSize;
        record.putByte(at, 1);
        const int filedMonth = month == 12 ? 1 : month + 1;
        record.putDate(at + 1, PackedDate{static_cast<std::uint8_t>(random.between(15, 25)),
                                          static_cast<std::uint8_t>(filedMonth),
                                          static_cast<std::uint16_t>(values.year + (month == 12 ? 1 : 0))});
        record.putDouble(at + 5, random.amount(0, 20000));
    }
    record.putDouble(R::kDouble270, random.amount(0, 1000));
    record.putWord(R::kWord278, static_cast<std::uint16_t>(random.between(0, 3)));
    return record;
}

std::string annualFile(const FirmPlan& firm, const YearValues& values, SampleRandom& random) {
    return joinRecords({generalRecord(firm, values, random), numberingRecord(values, random),
                        declarationsRecord(values, random)});
}

}  // namespace

AnnualSettingsFiles annualSettingsFiles(const FirmPlan& firm, SampleRandom& random) {
    YearValues of2023{};
    of2023.year = 2023;
    of2023.monthsDone = 12;
    of2023.firstOpenMonth = firm.decemberOpen ? 12 : 13;
    of2023.balances[0] = random.amount(-20000, 80000);
    for (int i = 1; i <= 12; ++i) of2023.balances[i] = of2023.balances[i - 1] + random.amount(-9000, 12000);
    for (double& amount : of2023.secondSeries) amount = random.amount(0, 15000);
    if (firm.vatByProportion) {
        of2023.vatProportion = random.between(20, 90);
        of2023.vatSettled = firm.vatProportionMissing ? 0 : of2023.vatProportion + random.between(-5, 5);
    }

    YearValues of2024{};
    of2024.year = 2024;
    of2024.monthsDone = random.between(1, 2);
    of2024.firstOpenMonth = 1;
    of2024.balances[0] = of2023.balances[12];
    for (int i = 1; i <= of2024.monthsDone; ++i) of2024.balances[i] = of2024.balances[i - 1] + random.amount(-9000, 12000);
    of2024.secondSeries[0] = of2023.secondSeries[11];
    if (firm.vatByProportion)
        of2024.vatProportion = firm.vatProportionMissing ? 0 : std::max(of2023.vatSettled, random.between(20, 90));

    AnnualSettingsFiles files;
    if (has2023Settings(firm)) files.of2023 = annualFile(firm, of2023, random);
    if (has2024Settings(firm)) files.of2024 = annualFile(firm, of2024, random);
    return files;
}

}  // namespace qzsample
