#pragma once
// The record files of a firm for the converter targets: an input written as the
// source file of a record conversion and converted the way a firm's item converts
// it, and a person key table filled from the records themselves.
#include <cstdint>

#include "convert/copying/file_copy.h"
#include "convert/staff/person_keys.h"
#include "fuzz/support/fuzz_run.h"

namespace qzfuzz {

// The person key table of a staff transfer that carried the person of every other
// record of file (records of recordSize bytes, the key in the first 8 bytes), so
// that records of persons carried and of persons left behind both come.
convert::PersonKeys CarryEveryOtherPerson(Input file, std::size_t recordSize);

// Writes file as a source of records of recordSize bytes and converts it into a new
// target of the same record size with converter (nothing is filtered when it is empty).
void ConvertFile(Input file, std::uint16_t recordSize, const convert::RecordConverter& converter);
// The same through the filtering copy.
void FilterFile(Input file, std::uint16_t recordSize, const convert::RecordFilter& filter);

}  // namespace qzfuzz
