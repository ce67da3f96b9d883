#pragma once
// The firm registry SPISFIRM.DAT: fixed 103-byte records, no header, one per firm.
#include <string>
#include <vector>

#include "tools/qz-sample/firm_plan.h"
#include "tools/qz-sample/record_buffer.h"

namespace qzsample {

inline constexpr const char* kRegistryFileName = "SPISFIRM.DAT";

struct RegistryRecord {
    static constexpr std::size_t kSize = 103;
    static constexpr Field kName{0, 32};         // 0, 32: firm name, short text of up to 31 characters
    static constexpr Field kDirectory{32, 9};    // 32, 9: firm directory below each data root, up to 8
    static constexpr Field kDescription{41, 62};  // 41, 62: the picker's INFO text; the bytes after it
                                                   // belong to nobody and are carried as they are
};

RecordBuffer registryRecord(const FirmPlan& firm);
std::string registryFile(const std::vector<FirmPlan>& firms);

}  // namespace qzsample
