#pragma once
// Firm registry records for tests.
#include <string>
#include <string_view>
#include <vector>

#include "fileio/registry_record.h"

namespace qztest {

// A record with the three short texts and, after the description, a byte that the
// key does not see (to tell records with equal keys apart).
inline fileio::RegistryRecord Firm(std::string_view name, std::string_view directory, std::string_view description,
                                   char tail = 0) {
    fileio::RegistryRecord record;
    const auto put = [&record](std::size_t offset, std::string_view text) {
        record.bytes[offset] = static_cast<char>(text.size());
        text.copy(record.bytes.data() + offset + 1, text.size());
    };
    put(0, name);
    put(32, directory);
    put(41, description);
    record.bytes[102] = tail;
    return record;
}

inline std::string RegistryBytes(const std::vector<fileio::RegistryRecord>& firms) {
    std::string bytes;
    for (const auto& firm : firms) bytes.append(firm.bytes.data(), firm.bytes.size());
    return bytes;
}

}  // namespace qztest
