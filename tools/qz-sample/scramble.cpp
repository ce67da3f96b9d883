#include "tools/qz-sample/scramble.h"

#include <cstdint>
#include <span>

#include "product/scramble.h"

namespace qzsample {

void ScrambleRecord(std::string& record) {
    if (record.size() < product::kScrambledRecordSize) return;
    product::ScrambleRecord(std::span<std::uint8_t, product::kScrambledRecordSize>(
        reinterpret_cast<std::uint8_t*>(record.data()), product::kScrambledRecordSize));
}

}  // namespace qzsample
