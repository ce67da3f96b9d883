#include "tools/qz-sample/scramble.h"

namespace qzsample {

void ScrambleRecord(std::string& record) {
    // Linear congruential generator, multiplier 134775813, increment 1, modulus 2^32;
    // each draw advances the state, and a draw below n is the upper half of state * n.
    std::uint32_t state = kScrambleSeed;
    for (std::size_t offset = kScrambledFirst; offset < kScrambledEnd && offset < record.size(); ++offset) {
        state = state * 134775813u + 1u;
        const auto draw = static_cast<std::uint8_t>((static_cast<std::uint64_t>(state) * 255u) >> 32);
        record[offset] = static_cast<char>(static_cast<std::uint8_t>(record[offset]) ^ draw);
    }
}

}  // namespace qzsample
