#include "tools/qz-sample/payroll_settings_file.h"

#include <vector>

#include "platform/cp852.h"

namespace qzsample {

using namespace platform::literals;

namespace {

// Working days of each month in Poland (holidays that fall on a Saturday shorten
// their month by a day).
constexpr std::uint8_t kWorkingDays2023[12] = {21, 20, 23, 19, 21, 21, 21, 22, 21, 22, 20, 19};
constexpr std::uint8_t kWorkingDays2024[12] = {21, 21, 21, 21, 20, 20, 23, 21, 21, 23, 19, 20};

constexpr std::string_view kComponents[] = {
    "Płaca zasadnicza"_cp, "Premia regulaminowa"_cp, "Dodatek stażowy"_cp, "Nadgodziny 50%"_cp,
    "Nadgodziny 100%"_cp,  "Ekwiwalent za urlop"_cp, "Dodatek za pracę w nocy"_cp, "Wynagrodzenie chorobowe"_cp,
};

}  // namespace

std::string payrollSettingsFile(int year, SampleRandom& random) {
    const std::uint8_t* days = year == 2023 ? kWorkingDays2023 : kWorkingDays2024;
    const int count = random.between(3, static_cast<int>(std::size(kComponents)));
    std::vector<RecordBuffer> records;
    for (int i = 0; i < count; ++i) {
        RecordBuffer record(PayrollSettingsRecord::kSize);
        record.putText(PayrollSettingsRecord::kComponent, kComponents[i]);
        record.putWord(PayrollSettingsRecord::kYear, static_cast<std::uint16_t>(year));
        for (int month = 0; month < 12; ++month) record.putByte(PayrollSettingsRecord::kWorkingDays + month, days[month]);
        records.push_back(std::move(record));
    }
    return joinRecords(records);
}

}  // namespace qzsample
