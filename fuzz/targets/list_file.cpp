// The list file of extra per-firm files over any content, and the names its entries
// give to the copies of a firm.
#include <cstdlib>

#include "app/paths.h"
#include "convert/file_names.h"
#include "convert/firm_copies.h"
#include "fuzz/support/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const std::string path = qzfuzz::WriteFile("QZ.LST", {data, size});
        for (const std::string& entry : app::ReadListFile(path)) {
            if (entry.size() > app::kListEntryLength) std::abort();
            const auto [from, to] = convert::NamedCopyNames(entry);
            static_cast<void>(convert::IsPlainFileName(from));
            static_cast<void>(convert::IsPlainFileName(to));
        }
    });
    return 0;
}
