#pragma once
// The firm registry as a shared record file kept in key order. The key of a firm is
// its name fitted to 31 characters, a blank, its directory fitted to 8, a blank and
// its description fitted to 25 (fitting pads with blanks or cuts); keys compare
// upper-cased, in the Polish order. A new firm goes after every firm with an equal
// key.
#include <string_view>

#include "fileio/registry_record.h"
#include "fileio/shared_file.h"

namespace fileio {

class FirmListFile : public SharedFile {
public:
    explicit FirmListFile(std::string_view name);

    // 1 when a sorts before b, 0 when equal, -1 when after; a and b are
    // RegistryRecords.
    std::int16_t Compare(const void* a, const void* b) const override;
    std::string KeyOf(const void* record) const override;
};

}  // namespace fileio
