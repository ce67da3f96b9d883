#pragma once
// A firm of the 2023 registry that still needs converting, as the environment
// detection found it and the firm picker and the per-firm loop use it.
#include "fileio/registry_record.h"

namespace app {

struct FirmRecord {
    // The registry record exactly as read; it goes into the 2024 registry unchanged.
    fileio::RegistryRecord registry;
    bool selected = true;  // to be converted; changed only by the firm picker
};

}  // namespace app
