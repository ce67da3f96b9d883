// The person converter over a person file, in the staff selection mode the first
// byte chooses.
#include "convert/staff/staff_converters.h"
#include "product/records/staff_records.h"
#include "fuzz/support/record_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qzfuzz::SplitInput input = qzfuzz::Split({data, size});
    qzfuzz::RunInput([&] {
        convert::StaffTransfer staff;
        staff.Start(static_cast<convert::StaffSelection>(input.setting % 3));
        qzfuzz::ConvertFile(input.rest, product::PersonRecord::kSize,
                            [&staff](product::RecordBytes from, product::RecordBuffer to) {
                                return staff.ConvertPerson(from, to);
                            });
    });
    return 0;
}
