#include "tools/qz-sample/asset_registers_file.h"

namespace qzsample {

std::string assetRegistersFile(const std::vector<AssetRegister>& registers) {
    std::vector<RecordBuffer> records;
    for (const AssetRegister& entry : registers) {
        RecordBuffer record(AssetRegisterRecord::kSize);
        record.putText(AssetRegisterRecord::kTitle, entry.title);
        record.putText(AssetRegisterRecord::kName, entry.name);
        records.push_back(std::move(record));
    }
    return joinRecords(records);
}

}  // namespace qzsample
