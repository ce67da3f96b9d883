#pragma once
// The global copy: the installation-wide data of the 2023 global-data directory
// carried into "#BIN024" of the 2024 tree, before any firm is converted.
#include "app/paths.h"
#include "convert/options.h"

namespace app {

// Creates the 2024 global-data directory when needed and copies the global items
// chosen in the option set, in their fixed order; with the stop-after-each-firm
// option it waits for a key at the end. Ends the program (exit code 0) after an
// error box when the 2023 global-data directory is missing or the 2024 one cannot
// be created. Call it only when the copy scope holds global data and the global
// item set is not empty.
//
// The copy holds an in-progress mark in "#BIN024" while it runs and notes there each
// file before it writes it; the files are made durable before the mark goes. A mark
// left by a run cut short makes the copy rewrite the files noted in it without the
// overwrite question; a mark that another workstation holds leaves the copy out.
void RunGlobalCopy(const RunPaths& paths, const convert::Options& options);

// Whether a run cut short left the global copy of the 2024 tree unfinished (its mark
// is there and no one holds it); logs so in the error colour when it did.
bool GlobalCopyLeftUnfinished(const RunPaths& paths);

}  // namespace app
