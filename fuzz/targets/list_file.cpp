// The list file of extra per-firm files over any content: its entries read, then
// copied for a firm the way the conversion copies them (names that would leave the
// firm's directories refused).
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "app/paths.h"
#include "convert/copying/file_names.h"
#include "convert/firm/firm_copies.h"
#include "convert/firm/firm_items.h"
#include "convert/options.h"
#include "fuzz/support/fuzz_run.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const std::string path = qzfuzz::WriteFile("QZ.LST", {data, size});
        const std::vector<std::string> entries = app::ReadListFile(path);
        for (const std::string& entry : entries)
            if (entry.size() > app::kListEntryLength || entry.find('\n') != std::string::npos) std::abort();

        const convert::FirmPaths paths{qzfuzz::MakeDirectory("2023/FIRMA"), qzfuzz::MakeDirectory("2024/FIRMA")};
        // The source of the first entry is there (when the file layer takes its name),
        // so that one copy is made.
        if (!entries.empty()) {
            const auto [from, to] = convert::NamedCopyNames(entries.front());
            platform::FileHandle file;
            std::size_t done = 0;
            if (convert::IsPlainFileName(from) &&
                platform::CreateOrTruncateFile(paths.SourceFile(from), file) == platform::err::Ok)
                static_cast<void>(platform::WriteToFile(file, data, size < 64 ? size : 64, done));
        }
        convert::Options chosen;
        chosen.firmItems = 0;
        chosen.entries2024 = 0;
        chosen.addOns = 0;
        convert::StaffTransfer staff;
        convert::ConvertedFiles toHide;
        convert::RunFirmItems(convert::FirmCopies(paths, entries, chosen, staff, toHide));
    });
    return 0;
}
