#pragma once
// Files whose inside the converter does not read: it copies them as blocks, as text,
// or record by record without looking into the records. The sample gives each
// record a readable label at its start, so that a copy can be recognised.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qzsample {

// Records of recordSize bytes, one per label; each label is a short text at offset 0
// in a field of at most 64 bytes.
std::string labelledRecords(std::size_t recordSize, const std::vector<std::string>& labels);

// Lines of code page 852 text ended with CR LF, as the bookkeeping program writes them.
std::string textLines(const std::vector<std::string>& lines);

}  // namespace qzsample
