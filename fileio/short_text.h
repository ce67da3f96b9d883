#pragma once
// Short texts inside records: a length byte followed by the characters, in a field
// of fixed capacity (a 32-byte field holds a length byte and up to 31 characters).
#include <span>
#include <string>

namespace fileio {

// The text of a field. A length byte beyond the field (a damaged record) gives the
// whole rest of the field; an empty field gives an empty text.
std::string ShortText(std::span<const char> field);

}  // namespace fileio
