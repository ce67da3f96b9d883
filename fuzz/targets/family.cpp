// The family converter over a family file, with every other member's person carried.
#include "convert/staff/staff_converters.h"
#include "product/records/staff_records.h"
#include "fuzz/support/record_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const convert::PersonKeys keys = qzfuzz::CarryEveryOtherPerson({data, size}, product::FamilyRecord::kSize);
        qzfuzz::ConvertFile({data, size}, product::FamilyRecord::kSize,
                            [&keys](product::RecordBytes from, product::RecordBuffer to) {
                                return convert::ConvertFamilyMember(keys, convert::StaffSelection::All, from, to);
                            });
    });
    return 0;
}
