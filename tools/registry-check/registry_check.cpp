#include "tools/registry-check/registry_check.h"

#include <algorithm>
#include <set>

#include "convert/copying/file_names.h"
#include "fileio/registry_file.h"
#include "fileio/registry_record.h"
#include "platform/files.h"

namespace registrycheck {

namespace {

using fileio::RegistryRecord;

// The length bytes of the three short texts and the most each field holds.
struct TextField {
    const char* what;
    std::size_t offset;
    std::size_t capacity;
};
constexpr TextField kFields[] = {{"name", 0, 31}, {"directory", 32, 8}, {"description", 41, 61}};

constexpr std::string_view kMarkerName = "_qz_kpr.rek";

// What is wrong with a record, or nothing.
std::string FaultOf(const RegistryRecord& record) {
    for (const TextField& field : kFields) {
        const auto length = static_cast<unsigned char>(record.bytes[field.offset]);
        if (length > field.capacity)
            return std::string(field.what) + " length " + std::to_string(length) + " beyond its field";
    }
    if (!convert::IsPlainFileName(record.Directory())) return "directory \"" + record.Directory() + "\" unusable";
    return {};
}

bool ReadAll(const std::string& path, std::vector<char>& bytes) {
    platform::FileHandle file;
    if (platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) != platform::err::Ok)
        return false;
    std::uint64_t size = 0;
    bool read = platform::FileSize(file, size) == platform::err::Ok;
    if (read) {
        bytes.resize(size);
        std::size_t done = 0;
        read = platform::ReadFromFile(file, bytes.data(), bytes.size(), done) == platform::err::Ok && done == size;
    }
    return platform::CloseFile(file) == platform::err::Ok && read;
}

}  // namespace

bool CheckRegistry(const std::string& path, RegistryReport& report) {
    std::vector<char> bytes;
    if (!ReadAll(path, bytes)) return false;
    const std::size_t size = fileio::kRegistryRecordSize;
    report.records = bytes.size() / size;
    report.tailBytes = bytes.size() % size;
    std::set<std::string> seen;
    RegistryRecord before;
    for (std::uint64_t index = 0; index < report.records; ++index) {
        RegistryRecord record;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(index * size), size, record.bytes.begin());
        const std::string at = "record " + std::to_string(index) + ": ";
        if (const std::string fault = FaultOf(record); !fault.empty()) report.faults.push_back(at + fault);
        const std::string directory = record.Directory();
        report.directories.push_back(directory);
        if (!seen.insert(directory).second) report.duplicates.push_back(directory);
        if (index > 0 && fileio::RegistryFile::Compare(before, record) > 0)
            report.unordered.push_back(at + "\"" + record.Name() + "\" before \"" + before.Name() + "\"");
        before = record;
    }
    return true;
}

void FindUnregistered(const std::string& root, RegistryReport& report) {
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    for (int found = search.First(root + "*", platform::attr::Directory, entry); found == platform::err::Ok;
         found = search.Next(entry)) {
        if (!(entry.attributes & platform::attr::Directory)) continue;
        if (!platform::IsOrdinaryFile(root + entry.name + platform::kSeparator + std::string(kMarkerName))) continue;
        const auto& known = report.directories;
        if (std::find(known.begin(), known.end(), entry.name) == known.end()) report.unregistered.push_back(entry.name);
    }
}

std::vector<std::string> ReportLines(const RegistryReport& report) {
    std::vector<std::string> lines{"records " + std::to_string(report.records)};
    if (report.tailBytes != 0) lines.push_back("partial record of " + std::to_string(report.tailBytes) + " bytes");
    for (const std::string& fault : report.faults) lines.push_back("unsound " + fault);
    for (const std::string& directory : report.duplicates) lines.push_back("entered twice " + directory);
    for (const std::string& line : report.unordered) lines.push_back("out of order " + line);
    for (const std::string& directory : report.unregistered) lines.push_back("converted, not entered " + directory);
    return lines;
}

}  // namespace registrycheck
