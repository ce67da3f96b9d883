// The annual settings conversion over any 2023 settings file. The first byte's bit 0
// puts the same content in the 2024 file the 2023 program keeps (the source
// question), bit 1 turns the warning about an open December off. The 2024 file must
// be left whole or not at all.
#include <cstdlib>

#include "convert/annual/annual_records.h"
#include "convert/annual/annual_settings.h"
#include "fuzz/support/fuzz_run.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qzfuzz::SplitInput input = qzfuzz::Split({data, size});
    qzfuzz::RunInput([&] {
        const convert::FirmPaths firm{qzfuzz::Folder() + "2023/FIRMA", qzfuzz::MakeDirectory("2024/FIRMA")};
        qzfuzz::WriteFile("2023/FIRMA/2023_ROK.REK", input.rest);
        if ((input.setting & 1) != 0) qzfuzz::WriteFile("2023/FIRMA/2024_ROK.REK", input.rest);
        convert::AnnualSettingsFound found;
        convert::ConvertAnnualSettings(firm, (input.setting & 2) == 0, found);

        const std::string target = firm.TargetFile("2024_ROK.REK");
        platform::FileHandle file;
        if (platform::OpenSharedFile(target, platform::mode::ReadOnly | platform::mode::DenyNone, file) !=
            platform::err::Ok)
            return;
        std::uint64_t length = 0;
        if (platform::FileSize(file, length) != platform::err::Ok ||
            length != convert::kAnnualRecordCount * convert::kAnnualRecordSize)
            std::abort();
    });
    return 0;
}
