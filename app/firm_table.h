#pragma once
// The firm table: the firms of the 2023 registry that still need converting, numbered
// 1 to the firm count in registry order. The environment detection fills it, the
// firm picker changes the selection, the per-firm loop converts the selected firms
// and releases the table at its end.
#include <cstdint>

#include "fileio/registry_record.h"

namespace app {

inline constexpr std::uint16_t kMaxFirms = 2048;

struct FirmRecord {
    // The registry record exactly as read; it goes into the 2024 registry unchanged.
    fileio::RegistryRecord registry;
    bool selected = true;  // to be converted; changed only by the firm picker
};

// Puts a copy of record into entry number (1 to kMaxFirms), replacing what was there.
void SetFirm(std::uint16_t number, const fileio::RegistryRecord& record);
// The firm of entry number (1 to kMaxFirms); nullptr for an empty entry or a number
// outside the table.
FirmRecord* FirmByNumber(std::uint16_t number);
// Releases entries 1 to count.
void ReleaseFirmTable(std::uint16_t count);

}  // namespace app
