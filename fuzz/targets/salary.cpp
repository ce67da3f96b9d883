// The salary filter, with every other salary's person carried.
#include "product/records/entry_records.h"
#include "convert/entries/ledger_converters.h"
#include "fuzz/support/record_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const convert::PersonKeys keys = qzfuzz::CarryEveryOtherPerson({data, size}, product::SalaryRecord::kSize);
        qzfuzz::FilterFile({data, size}, product::SalaryRecord::kSize,
                           [&keys](product::RecordBuffer record) { return convert::KeepSalary(keys, record); });
    });
    return 0;
}
