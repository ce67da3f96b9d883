#pragma once
// Polish identifiers with valid check digits, so that a sample firm or person looks
// like one to anybody who checks: tax number NIP, statistical number REGON, personal
// number PESEL and bank account number NRB.
#include <string>

#include "tools/qz-sample/record_buffer.h"
#include "tools/qz-sample/sample_random.h"

namespace qzsample {

// "526-104-08-28" form.
std::string makeNip(SampleRandom& random);
// Nine digits.
std::string makeRegon(SampleRandom& random);
// Eleven digits encoding the birth date and sex.
std::string makePesel(SampleRandom& random, PackedDate birth, bool female);
// "12 1020 1026 0000 1234 5678 9012" form: two check digits and 24 digits.
std::string makeNrb(SampleRandom& random);

}  // namespace qzsample
