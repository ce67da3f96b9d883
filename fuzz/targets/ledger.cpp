// The ledger entry converter over a monthly ledger file; the first byte is the number
// of the last entry already in the target.
#include "product/records/entry_records.h"
#include "convert/entries/ledger_converters.h"
#include "fuzz/support/record_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qzfuzz::SplitInput input = qzfuzz::Split({data, size});
    qzfuzz::RunInput([&] {
        qzfuzz::ConvertFile(input.rest, product::LedgerEntryRecord::kSize,
                            convert::LedgerEntryConverter(input.setting, convert::Options{}));
    });
    return 0;
}
