#pragma once
// The generator's only source of variety. Its sequence is fixed by this code alone
// (no standard distribution, whose results differ between libraries), so a seed gives
// the same tree on every machine.
#include <cstdint>
#include <span>

namespace qzsample {

class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed) : state_(seed) {}

    // An independent generator for one part of the tree (a firm, the global files):
    // what one part draws never shifts what another part gets.
    SampleRandom fork(std::uint64_t salt) const;

    std::uint64_t next();
    // 0 to n - 1; n must be above 0.
    std::uint32_t below(std::uint32_t n);
    // low to high, both included.
    int between(int low, int high);
    bool chance(int percent);
    // An amount of money from low to high, in whole grosze.
    double amount(int low, int high);

    template <typename T>
    const T& pick(std::span<const T> items) {
        return items[below(static_cast<std::uint32_t>(items.size()))];
    }

private:
    std::uint64_t state_;
};

}  // namespace qzsample
