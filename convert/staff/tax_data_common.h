#pragma once
// Steps that the PID-5 and PIT-28 converters share.
#include "convert/options.h"
#include "product/records/record_fields.h"

namespace convert {

// Shows the person on a line of its own and, under the PIT-D selection "ask about
// each", asks T or N. True when the record is carried.
bool AskTaxDataCarry(product::RecordBytes source, PitDSelection selection);
// True when the source is a record of 2024 taken over from the year-2024 source: it
// is then kept rather than built afresh.
bool KeptRecordOf2024(product::RecordBytes source, bool year2024Source);
// A fresh record: all zero (the value at 16 included) but the person key and
// 1 January 2024 as its date.
void StartFreshTaxRecord(product::RecordBytes source, product::RecordBuffer target);
// The three blocks at 20, 91 and 164 (offsets 20-387) that every record carries.
void CopyTaxDataHead(product::RecordBytes source, product::RecordBuffer target);

}  // namespace convert
