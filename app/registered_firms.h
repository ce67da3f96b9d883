#pragma once
// Which firms the 2024 registry holds, for the detection of firms whose 2024
// directory exists: read once, under the registry's whole-file lock, the firms
// matched by directory name with letter case ignored.
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "fileio/registry_file.h"

namespace app {

// The log line of a registry whose last whole-file lock rolled back an insert cut
// short.
void LogRolledBack(const fileio::RegistryFile& registry);

class RegisteredFirms {
public:
    // path: the 2024 registry. Nothing is read yet.
    explicit RegisteredFirms(std::string path) : path_(std::move(path)) {}

    // Whether a record of the registry names the directory; no value when the
    // registry could not be read (reported with a key wait, once). A missing
    // registry names no firm.
    std::optional<bool> Names(std::string_view directory);

private:
    bool Read();

    std::string path_;
    bool read_ = false;
    bool readable_ = false;
    std::set<std::string> directories_;  // upper-cased
};

}  // namespace app
