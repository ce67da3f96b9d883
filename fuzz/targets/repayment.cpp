// The repayment converter over a monthly repayment file.
#include "product/records/entry_records.h"
#include "convert/entries/ledger_converters.h"
#include "fuzz/support/record_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        qzfuzz::ConvertFile({data, size}, product::RepaymentRecord::kSize, convert::ConvertRepayment);
    });
    return 0;
}
