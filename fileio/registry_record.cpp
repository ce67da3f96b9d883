#include "fileio/registry_record.h"

#include <span>

#include "fileio/short_text.h"

namespace fileio {

namespace {
constexpr std::size_t kNameOffset = 0;
constexpr std::size_t kNameSize = 32;
constexpr std::size_t kDirectoryOffset = 32;
constexpr std::size_t kDirectorySize = 9;
constexpr std::size_t kDescriptionOffset = 41;
constexpr std::size_t kDescriptionSize = 62;

std::string Field(const RegistryRecord& record, std::size_t offset, std::size_t size) {
    return ShortText(std::span<const char>(record.bytes).subspan(offset, size));
}
}  // namespace

std::string RegistryRecord::Name() const { return Field(*this, kNameOffset, kNameSize); }

std::string RegistryRecord::Directory() const { return Field(*this, kDirectoryOffset, kDirectorySize); }

std::string RegistryRecord::Description() const { return Field(*this, kDescriptionOffset, kDescriptionSize); }

}  // namespace fileio
