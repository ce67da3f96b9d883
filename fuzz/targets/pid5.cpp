// The PID-5 converter; the first byte's bit 0 asks about each person, bit 1 marks the
// firm's settings as taken from 2024.
#include "product/records/staff_records.h"
#include "convert/staff/tax_data_converters.h"
#include "fuzz/support/record_files.h"
#include "fuzz/support/tax_data_setting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qzfuzz::SplitInput input = qzfuzz::Split({data, size});
    qzfuzz::RunInput([&] {
        const convert::TaxDataContext context = qzfuzz::TaxDataSetting(input.setting);
        qzfuzz::ConvertFile(input.rest, product::TaxDataRecord::kSize, [context](auto source, auto target) {
            return convert::ConvertPid5(source, target, context);
        });
    });
    return 0;
}
