#pragma once
// The installation's environment shared with the other programs of the family: the
// name of the firm registry file, which a whole installation may change with the
// switch "/kprspis:" or the variable KPRSPIS.
#include <cstddef>
#include <string>

namespace product {

inline constexpr std::size_t kRegistryNameLength = 12;

// Settles RegistryFileName once at start-up: the switch's value, else the
// variable's, each cut to 12 characters and used unchanged; else "SPISFIRM.DAT".
void InitEnvironment();

// The registry file's name without a directory; callers put a data root before it.
const std::string& RegistryFileName();

}  // namespace product
