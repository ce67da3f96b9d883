#pragma once
// Scrambled persons are written with the product's own scrambling, so that the
// converter reads them back exactly.
#include <string>

namespace qzsample {

// Scrambles or unscrambles a 2048-byte record held in a string, in place.
void ScrambleRecord(std::string& record);

}  // namespace qzsample
