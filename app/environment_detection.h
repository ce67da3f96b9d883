#pragma once
// The environment detection before the firm picker: reads the 2023 firm registry and
// lists the firms that still need converting.
#include <cstddef>
#include <vector>

#include "app/firm_record.h"
#include "app/paths.h"
#include "convert/firm/interrupted_work.h"

namespace app {

inline constexpr std::size_t kMaxFirms = 2048;

// The firms, in registry order, whose 2024 directory does not exist yet and whose
// 2023 directory does, up to kMaxFirms, each selected; a firm whose 2024 directory
// exists is taken only when the verdict on the work left there says so (and noted
// in claims when this run makes it its own or empties it for a redo). Reports
// each firm passed over in the progress log, with a key wait at the end when the
// registry names a missing or unusable directory. The registry is read as
// fileio/registry_reader.h reads it, so a registry that another program holds open
// is not read. Ends the program with exit code 0 when the registry cannot be
// opened, its size cannot be taken or it holds no record.
std::vector<FirmRecord> DetectEnvironment(const RunPaths& paths, convert::ClaimedDirectories& claims);

}  // namespace app
