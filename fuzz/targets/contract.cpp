// The commission contract converter, with every other contract's person carried.
#include "product/records/entry_records.h"
#include "convert/entries/ledger_converters.h"
#include "fuzz/support/record_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const convert::PersonKeys keys = qzfuzz::CarryEveryOtherPerson({data, size}, product::ContractRecord::kSize);
        qzfuzz::ConvertFile({data, size}, product::ContractRecord::kSize,
                            [&keys](product::RecordBytes from, product::RecordBuffer to) {
                                return convert::ConvertContract(keys, from, to);
                            });
    });
    return 0;
}
