#pragma once
// The staff transfer of one firm: the person converter decides who continues into
// 2024 and records each carried person in the person key table; the family converter
// carries the family members of those persons only. Both are converters of the record
// conversion copy: they fill the target from the source record and return whether the
// target is written.
#include "convert/options.h"
#include "product/records/record_fields.h"

namespace convert {

// Starts a firm's staff transfer: the selection mode as the options give it, the
// person key table emptied.
void StartStaffTransfer(StaffSelection mode);
// The firm's selection mode; answering W turns it into All for the rest of the firm.
StaffSelection CurrentStaffSelection();

// Person records (PersonRecord::kSize bytes). A scrambled record is decided on in
// plain form and written scrambled again.
bool ConvertPerson(product::RecordBytes source, product::RecordBuffer target);
// Family records (FamilyRecord::kSize bytes).
bool ConvertFamilyMember(product::RecordBytes source, product::RecordBuffer target);

}  // namespace convert
