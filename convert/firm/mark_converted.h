#pragma once
// Hiding converted 2024 ledger files from the 2023 program: the file in the 2023 tree
// gets a "~" appended to its name. This is the only change the converter makes in
// the 2023 tree, and only when the user asked for it. The renaming waits until the
// firm is in the 2024 registry: a run cut short before that must not hide 2023
// entries whose 2024 copies are not in place.
#include <string>
#include <string_view>
#include <vector>

namespace convert {

// The files of one firm to hide, from its ledger carry-over until the per-firm loop
// has registered the firm; a firm given up renames nothing.
class ConvertedFiles {
public:
    // Notes sourcePath for renaming; the caller notes only when the user asked for it.
    void Mark(std::string_view sourcePath) { files_.emplace_back(sourcePath); }
    // Renames every noted file to its name + "~", writes the outcome of each into the
    // progress log and forgets them.
    void Rename();

private:
    std::vector<std::string> files_;
};

}  // namespace convert
