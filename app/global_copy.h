#pragma once
// The global copy: the installation-wide data of the 2023 global-data directory
// carried into "#BIN024" of the 2024 tree, before any firm is converted.
#include "app/paths.h"

namespace app {

// Creates the 2024 global-data directory when needed and copies the global items
// chosen in the option set, in their fixed order; with the stop-after-each-firm
// option it waits for a key at the end. Ends the program (exit code 0) after an
// error box when the 2023 global-data directory is missing or the 2024 one cannot
// be created. Call it only when the copy scope holds global data and the global
// item set is not empty.
void RunGlobalCopy(const RunPaths& paths);

}  // namespace app
