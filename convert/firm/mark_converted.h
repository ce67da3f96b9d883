#pragma once
// Hiding converted 2024 ledger files from the 2023 program: the file in the 2023 tree
// gets a "~" appended to its name. This is the only change the converter makes in
// the 2023 tree, and only when the user asked for it. The renaming waits until the
// firm is in the 2024 registry: a run cut short before that must not hide 2023
// entries whose 2024 copies are not in place.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace convert {

// Notes sourcePath for renaming; the caller notes only when the user asked for it.
void MarkConverted(std::string_view sourcePath);
// The files noted, in the order they were noted; they are forgotten here. A firm
// keeps them until it is registered, which may be after the next firm has begun.
std::vector<std::string> TakeConverted();
// Renames each of sources to its name + "~" and writes the outcome of each into the
// progress log.
void RenameConverted(std::span<const std::string> sources);
// Forgets the noted files without renaming them (a firm that was not registered).
void ForgetConverted();

}  // namespace convert
