// The path file beside the executable over any content: read, written back and read
// again, the roots must survive.
#include <cstdlib>

#include "app/paths.h"
#include "fuzz/support/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qzfuzz::RunInput([&] {
        const std::string path = qzfuzz::WriteFile("QZ.PTH", {data, size});
        app::RunPaths paths = app::ProgramPaths(qzfuzz::Folder() + "QZ.EXE");
        app::SetDefaultRoots(paths, "");
        app::ReadPathFile(path, paths);
        const std::string again = qzfuzz::Folder() + "AGAIN.PTH";
        if (app::WritePathFile(again, paths) != 0) return;
        app::RunPaths reread = paths;
        reread.root2023.clear();
        reread.root2024.clear();
        app::ReadPathFile(again, reread);
        if (reread.root2023 != paths.root2023 || reread.root2024 != paths.root2024) std::abort();
    });
    return 0;
}
