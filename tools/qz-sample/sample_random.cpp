#include "tools/qz-sample/sample_random.h"

namespace qzsample {

// SplitMix64: small, well mixed, and the same everywhere.
std::uint64_t SampleRandom::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

SampleRandom SampleRandom::fork(std::uint64_t salt) const {
    SampleRandom mixer(state_ ^ (salt * 0xD1B54A32D192ED03ull));
    return SampleRandom(mixer.next());
}

std::uint32_t SampleRandom::below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32);
}

int SampleRandom::between(int low, int high) {
    return low + static_cast<int>(below(static_cast<std::uint32_t>(high - low + 1)));
}

bool SampleRandom::chance(int percent) { return below(100) < static_cast<std::uint32_t>(percent); }

double SampleRandom::amount(int low, int high) { return between(low * 100, high * 100) / 100.0; }

}  // namespace qzsample
