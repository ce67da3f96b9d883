#pragma once
// The installation-wide data of the 2023 tree, #BIN023: every file that the global
// copy carries into 2024.
#include "tools/qz-sample/sample_options.h"
#include "tools/qz-sample/sample_random.h"
#include "tools/qz-sample/tree_writer.h"

namespace qzsample {

inline constexpr const char* kGlobalDirectory2023 = "#BIN023";

// Record sizes that the global copy uses.
inline constexpr std::size_t kAddressRecordSize = 480;   // baza_ad8.rek
inline constexpr std::size_t kOperatorRecordSize = 512;  // OPERATOR.REK
inline constexpr std::size_t kColourFileSize = 11;       // KOLORY.QZ: eleven attributes

bool writeGlobalFiles(const SampleOptions& options, SampleRandom random, TreeWriter& out);

}  // namespace qzsample
