#pragma once
// Checks of a firm registry after a run that may have been cut short: whether
// every record is whole and sound, in key order, and whether the data root
// holds converted firms the registry leaves out.
#include <cstdint>
#include <string>
#include <vector>

namespace registrycheck {

struct RegistryReport {
    std::uint64_t records = 0;              // whole records
    std::uint64_t tailBytes = 0;            // bytes after the last whole record
    std::vector<std::string> faults;        // one line per unsound record
    std::vector<std::string> duplicates;    // directories entered more than once
    std::vector<std::string> unordered;     // one line per record out of key order
    std::vector<std::string> directories;   // the registered directories, in record order
    std::vector<std::string> unregistered;  // converted firm directories without a record

    // Whole, sound records only; duplicates, order and unregistered firms are
    // what an interrupted run may leave and are reported apart.
    bool Sound() const { return tailBytes == 0 && faults.empty(); }
};

// Reads the registry at path (the program's form of a path); false when it
// cannot be opened or read.
bool CheckRegistry(const std::string& path, RegistryReport& report);

// Adds to the report every directory below root (ending with the separator)
// that holds a firm marker but has no record.
void FindUnregistered(const std::string& root, RegistryReport& report);

// The report as lines of text: "records N", then one line per finding.
std::vector<std::string> ReportLines(const RegistryReport& report);

}  // namespace registrycheck
