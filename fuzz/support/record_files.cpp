#include "fuzz/support/record_files.h"

#include "product/records/record_fields.h"

namespace qzfuzz {

namespace {

constexpr std::string_view kSource = "2023/FIRMA/DANE.REK";
constexpr std::string_view kTargetDirectory = "2024/FIRMA";
constexpr std::string_view kTarget = "2024/FIRMA/DANE.REK";

}  // namespace

convert::PersonKeys CarryEveryOtherPerson(Input file, std::size_t recordSize) {
    convert::PersonKeys keys;
    for (std::size_t at = 0; at + 8 <= file.size(); at += 2 * recordSize)
        keys.Add(product::ReadInt64(file.subspan(at, 8), 0));
    return keys;
}

void ConvertFile(Input file, std::uint16_t recordSize, const convert::RecordConverter& converter) {
    const std::string source = WriteFile(kSource, file);
    MakeDirectory(kTargetDirectory);
    static_cast<void>(convert::ConvertRecords(source, Folder() + std::string(kTarget), recordSize, recordSize,
                                              converter));
}

void FilterFile(Input file, std::uint16_t recordSize, const convert::RecordFilter& filter) {
    const std::string source = WriteFile(kSource, file);
    MakeDirectory(kTargetDirectory);
    static_cast<void>(convert::CopyRecords(source, Folder() + std::string(kTarget), recordSize, filter));
}

}  // namespace qzfuzz
