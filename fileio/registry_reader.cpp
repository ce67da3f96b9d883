#include "fileio/registry_reader.h"

namespace fileio {

bool RegistryReader::Open() {
    return platform::OpenSharedFile(fileName_, platform::mode::ReadOnly | platform::mode::DenyAll, file_) ==
           platform::err::Ok;
}

bool RegistryReader::CountRecords(std::uint64_t& records) {
    std::uint64_t size = 0;
    records = 0;
    if (platform::FileSize(file_, size) != platform::err::Ok) return false;
    records = size / kRegistryRecordSize;
    return true;
}

bool RegistryReader::Read(std::uint64_t index, RegistryRecord& record) {
    std::size_t done = 0;
    return platform::SeekFile(file_, index * kRegistryRecordSize) == platform::err::Ok &&
           platform::ReadFromFile(file_, record.bytes.data(), record.bytes.size(), done) == platform::err::Ok &&
           done == record.bytes.size();
}

// Read-only: a close can lose nothing.
void RegistryReader::Close() {
    if (file_.IsOpen()) static_cast<void>(platform::CloseFile(file_));
}

}  // namespace fileio
