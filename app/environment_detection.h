#pragma once
// The environment detection before the firm picker: reads the 2023 firm registry and
// fills the firm table with the firms that still need converting.
#include <cstdint>

#include "app/paths.h"

namespace app {

// Empties the firm table and takes, in registry order, every firm whose 2024
// directory does not exist yet and whose 2023 directory does, up to 2048. Returns
// the firm count (0-2048). Reports each firm passed over in the progress log, with a
// key wait at the end when the registry names a missing or unusable directory. The
// registry is opened read-only and denying everybody else, so a registry that
// another program holds open is not read. Ends the program with exit code 0 when
// the registry cannot be opened, its size cannot be taken or it holds no record.
std::uint16_t DetectEnvironment(const RunPaths& paths);

}  // namespace app
