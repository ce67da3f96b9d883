#pragma once
// The converters of the personal tax data files, PID-5 (2024P5.REK) and PIT-28
// (2024P28A.REK), for the record conversion copy. Each shows the person, asks about
// them when the PIT-D selection says so, and builds the 2024 record: a record that
// already is of 2024 (from the year-2024 source) is kept, any other is built afresh
// from the year-end values of the source.
#include "convert/options.h"
#include "product/records/record_fields.h"

namespace convert {

// What the tax data of a firm are converted with.
struct TaxDataContext {
    PitDSelection selection = PitDSelection::All;  // the run's PIT-D selection
    bool year2024Source = false;  // the firm's annual settings came from its 2024 file
};

// Records of TaxDataRecord::kSize bytes.
bool ConvertPid5(product::RecordBytes source, product::RecordBuffer target, const TaxDataContext& context);
bool ConvertPit28(product::RecordBytes source, product::RecordBuffer target, const TaxDataContext& context);

}  // namespace convert
