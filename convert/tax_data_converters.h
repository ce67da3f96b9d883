#pragma once
// The converters of the personal tax data files, PID-5 (2024P5.REK) and PIT-28
// (2024P28A.REK), for the record conversion copy. Each shows the person, asks about
// them when the PIT-D selection says so, and builds the 2024 record: a record that
// already is of 2024 (year-2024 source flag set) is kept, any other is built afresh
// from the year-end values of the source.
#include "convert/record_fields.h"

namespace convert {

// Records of TaxDataRecord::kSize bytes.
bool ConvertPid5(RecordBytes source, RecordBuffer target);
bool ConvertPit28(RecordBytes source, RecordBuffer target);

}  // namespace convert
