#pragma once
// The staff transfer of one firm: the person converter decides who continues into
// 2024 and records each carried person in the person key table; the family converter
// carries the family members of those persons only. Both are converters of the record
// conversion copy: they fill the target from the source record and return whether the
// target is written.
#include "convert/options.h"
#include "convert/staff/person_keys.h"
#include "product/records/record_fields.h"

namespace convert {

// One firm's staff transfer; a new one selects everybody and has carried nobody.
class StaffTransfer {
public:
    // Starts the transfer: the selection mode as the options give it, the person key
    // table emptied.
    void Start(StaffSelection mode);
    // The selection mode; answering W turns it into All for the rest of the firm.
    StaffSelection Selection() const { return selection_; }
    // The persons carried so far.
    const PersonKeys& Keys() const { return keys_; }

    // Person records (PersonRecord::kSize bytes). A scrambled record is decided on in
    // plain form and written scrambled again.
    bool ConvertPerson(product::RecordBytes source, product::RecordBuffer target);

private:
    bool AskCarry();

    StaffSelection selection_ = StaffSelection::All;
    PersonKeys keys_;
};

// Family records (FamilyRecord::kSize bytes) of the persons in keys, carried under
// selection (as the staff transfer has it when the families come).
bool ConvertFamilyMember(const PersonKeys& keys, StaffSelection selection, product::RecordBytes source,
                         product::RecordBuffer target);

}  // namespace convert
