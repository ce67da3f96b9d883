#include "tools/qz-sample/registry_file.h"

namespace qzsample {

RecordBuffer registryRecord(const FirmPlan& firm) {
    RecordBuffer record(RegistryRecord::kSize);
    record.putText(RegistryRecord::kName, firm.name);
    record.putText(RegistryRecord::kDirectory, firm.directory);
    // A description shortened in place leaves the end of the old one behind it.
    if (!firm.oldDescription.empty()) record.putText(RegistryRecord::kDescription, firm.oldDescription);
    record.putText(RegistryRecord::kDescription, firm.description);
    return record;
}

std::string registryFile(const std::vector<FirmPlan>& firms) {
    std::vector<RecordBuffer> records;
    for (const FirmPlan& firm : firms) records.push_back(registryRecord(firm));
    return joinRecords(records);
}

}  // namespace qzsample
