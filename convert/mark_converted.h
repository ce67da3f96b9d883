#pragma once
// Hiding converted 2024 ledger files from the 2023 program: the file in the 2023 tree
// gets a "~" appended to its name. This is the only change the converter makes in
// the 2023 tree, and only when the user asked for it.
#include <string_view>

namespace convert {

// Renames sourcePath to sourcePath + "~" when the renaming option is on, and writes
// the outcome into the progress log.
void MarkConverted(std::string_view sourcePath);

}  // namespace convert
