// The firm text carried from a 2023 firm directory to its 2024 one, over any file
// content; the 2024 file must then read back with the place of the 2023 data.
#include <cstdlib>

#include "fuzz/support/fuzz_run.h"
#include "product/firm_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const std::string source = qzfuzz::WriteFile("2023/FIRMATXT.INI", {data, size});
        const std::string target = qzfuzz::MakeDirectory("2024") + "/FIRMATXT.INI";
        constexpr std::string_view kLocation = "C:\\KPR_2023\\FIRMA";
        if (product::CarryOverFirmText(source, target, kLocation) != product::FirmTextCarry::Done) return;
        product::FirmText record;
        if (!product::TransferFirmText(record, product::FirmTextDirection::Read, target)) return;
        if (record.previousYears[0] != kLocation) std::abort();
    });
    return 0;
}
