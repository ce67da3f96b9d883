#pragma once
// The whole sample 2023 tree: the firm registry, #BIN023 and one directory per firm.
#include "tools/qz-sample/sample_options.h"
#include "tools/qz-sample/tree_writer.h"

namespace qzsample {

// Writes the tree below out's root, which open() has accepted. False with out.error()
// when a file cannot be written.
bool writeSampleTree(const SampleOptions& options, TreeWriter& out);

}  // namespace qzsample
