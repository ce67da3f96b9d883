#pragma once
// The 2023 firm registry as the detection reads it: opened read-only and denying
// every other open, so that a registry another program holds open is not read, and
// read one record at a time. Nothing is locked or written.
#include <cstdint>
#include <string>
#include <string_view>

#include "fileio/registry_record.h"
#include "platform/files.h"

namespace fileio {

class RegistryReader {
public:
    explicit RegistryReader(std::string_view fileName) : fileName_(fileName) {}
    // Closes the file, if open, without a word.
    ~RegistryReader() = default;
    RegistryReader(const RegistryReader&) = delete;
    RegistryReader& operator=(const RegistryReader&) = delete;

    bool Open();
    // The whole records the file holds (a part record at the end is not counted).
    bool CountRecords(std::uint64_t& records);
    // The record numbered index, from 0; false when it cannot be read whole.
    bool Read(std::uint64_t index, RegistryRecord& record);
    void Close();

private:
    std::string fileName_;
    platform::FileHandle file_;
};

}  // namespace fileio
