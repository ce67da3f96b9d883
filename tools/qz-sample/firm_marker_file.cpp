#include "tools/qz-sample/firm_marker_file.h"

namespace qzsample {

std::string firmMarkerFile() {
    RecordBuffer record(FirmMarkerRecord::kSize);
    record.putWord(FirmMarkerRecord::kYear1, 2023);
    record.putWord(FirmMarkerRecord::kYear2, 2023);
    record.putWord(FirmMarkerRecord::kYear3, 2023);
    record.putByte(FirmMarkerRecord::kConverted, 0);
    record.putText(FirmMarkerRecord::kProgram, "KPR_QZ 2023");
    return record.bytes();
}

}  // namespace qzsample
