// The 2023 firm registry over any content: the environment detection reads it, and
// the firms it takes are entered in key order into a 2024 registry that starts with
// the same content.
#include <string>
#include <vector>

#include "app/environment_detection.h"
#include "app/paths.h"
#include "convert/copying/file_names.h"
#include "fileio/registry_file.h"
#include "fileio/registry_record.h"
#include "fuzz/support/fuzz_run.h"
#include "product/environment.h"

namespace {

// Makes the 2023 directory of every other firm whose directory name is usable, so
// that some firms are taken and some are reported missing.
void MakeSomeFirmDirectories(qzfuzz::Input registry) {
    fileio::RegistryRecord record;
    for (std::size_t at = 0; at + fileio::kRegistryRecordSize <= registry.size();
         at += 2 * fileio::kRegistryRecordSize) {
        std::copy_n(registry.begin() + static_cast<std::ptrdiff_t>(at), record.bytes.size(), record.bytes.begin());
        const std::string directory = record.Directory();
        if (convert::IsPlainFileName(directory)) qzfuzz::MakeDirectory("2023/" + directory);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const std::string& name = product::RegistryFileName();
        qzfuzz::WriteFile("2023/" + name, {data, size});
        qzfuzz::WriteFile("2024/" + name, {data, size});
        MakeSomeFirmDirectories({data, size});
        app::RunPaths paths;
        paths.root2023 = qzfuzz::Folder() + "2023/";
        paths.root2024 = qzfuzz::Folder() + "2024/";
        convert::ClaimedDirectories claims;
        const std::vector<app::FirmRecord> firms = app::DetectEnvironment(paths, claims);

        fileio::RegistryFile registry(paths.root2024 + name);
        if (registry.Open(fileio::OpenOrCreate)) {
            for (const app::FirmRecord& firm : firms) static_cast<void>(registry.InsertSorted(firm.registry));
            static_cast<void>(registry.Close());
        }
    });
    return 0;
}
