// The fixed-assets add-on of a firm over any list of registers: the register files
// it names are copied, names that would leave the firm's directories refused.
#include <span>
#include <string>

#include "convert/firm/firm_copies.h"
#include "convert/firm/firm_items.h"
#include "convert/options.h"
#include "fuzz/support/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const convert::FirmPaths paths{qzfuzz::Folder() + "2023/FIRMA", qzfuzz::MakeDirectory("2024/FIRMA")};
        qzfuzz::WriteFile("2023/FIRMA/stbazy.rek", {data, size});
        qzfuzz::WriteFile("2023/FIRMA/ABC.REK", std::span<const std::uint8_t>(data, size < 16 ? size : 16));
        convert::Options chosen;
        chosen.firmItems = 0;
        chosen.entries2024 = 0;
        chosen.addOns = convert::addon::FixedAssets;
        convert::StaffTransfer staff;
        convert::ConvertedFiles toHide;
        convert::RunFirmItems(convert::FirmCopies(paths, std::span<const std::string>(), chosen, staff, toHide));
    });
    return 0;
}
