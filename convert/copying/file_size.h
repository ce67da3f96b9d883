#pragma once
// The probe that decides whether a file is there for the converter: a file exists
// only when it holds at least one byte, so an empty file counts as absent, for
// sources and targets alike.
#include <cstdint>
#include <string_view>

namespace convert {

// The size of the ordinary file at exactly that path (read-only, hidden, system and
// archive entries; directories are not matched), or 0 when there is none. A search
// that fails for another reason than a missing file is reported in the log with a
// key wait.
std::uint64_t ProbeFileSize(std::string_view path);
// The probe with its outcome: false when the search failed for another reason than
// a missing file (reported as above); size is then 0 and whether the file is there
// is unknown.
bool SearchFileSize(std::string_view path, std::uint64_t& size);
// Whether the file exists for the converter: it holds at least one byte.
bool FileIsPresent(std::string_view path);

}  // namespace convert
