#pragma once
// A record of the firm registry (SPISFIRM.DAT by default): a file of fixed 103-byte
// records, one per firm, with no header. The same format serves both years; a record
// goes into the next year's registry byte for byte.
#include <array>
#include <cstddef>
#include <string>

namespace fileio {

inline constexpr std::size_t kRegistryRecordSize = 103;

struct RegistryRecord {
    // Offset 0, 32 bytes: the firm's name, a short text of up to 31 characters.
    // Offset 32, 9 bytes: the firm's directory below a data root, a short text of up
    //   to 8 characters; the same name in both years.
    // Offset 41, 62 bytes: the description, a short text of which the first 25
    //   characters are used; the bytes after the text are carried along unchanged.
    std::array<char, kRegistryRecordSize> bytes{};

    std::string Name() const;
    std::string Directory() const;
    // The whole stored description text; callers fit it to the width they show.
    std::string Description() const;
};

static_assert(sizeof(RegistryRecord) == kRegistryRecordSize);

}  // namespace fileio
