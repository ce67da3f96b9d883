#include "tools/qz-sample/identifiers.h"

#include <array>
#include <span>

#include "tools/qz-sample/polish_names.h"

namespace qzsample {

namespace {

std::string randomDigits(SampleRandom& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + random.below(10));
    return digits;
}

int weightedSum(const std::string& digits, std::span<const int> weights) {
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) sum += (digits[i] - '0') * weights[i];
    return sum;
}

}  // namespace

std::string makeNip(SampleRandom& random) {
    static constexpr std::array<int, 9> kWeights = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    for (;;) {
        std::string digits = randomDigits(random, 9);
        if (digits[0] == '0') continue;
        const int check = weightedSum(digits, kWeights) % 11;
        if (check == 10) continue;  // no valid number with these nine digits
        digits += static_cast<char>('0' + check);
        return digits.substr(0, 3) + "-" + digits.substr(3, 3) + "-" + digits.substr(6, 2) + "-" + digits.substr(8, 2);
    }
}

std::string makeRegon(SampleRandom& random) {
    static constexpr std::array<int, 8> kWeights = {8, 9, 2, 3, 4, 5, 6, 7};
    std::string digits = randomDigits(random, 8);
    digits += static_cast<char>('0' + weightedSum(digits, kWeights) % 11 % 10);
    return digits;
}

std::string makePesel(SampleRandom& random, PackedDate birth, bool female) {
    static constexpr std::array<int, 10> kWeights = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    const int month = birth.month + (birth.year >= 2000 ? 20 : 0);
    std::string digits = twoDigits(birth.year % 100) + twoDigits(month) + twoDigits(birth.day) + randomDigits(random, 3);
    const int sexDigit = static_cast<int>(random.below(5)) * 2 + (female ? 0 : 1);
    digits += static_cast<char>('0' + sexDigit);
    digits += static_cast<char>('0' + (10 - weightedSum(digits, kWeights) % 10) % 10);
    return digits;
}

std::string makeNrb(SampleRandom& random) {
    const std::string account = randomDigits(random, 24);
    // Check digits make "PL" + digits + "00" give 1 modulo 97; P = 25, L = 21.
    int remainder = 0;
    for (char digit : account + "252100") remainder = (remainder * 10 + (digit - '0')) % 97;
    const std::string digits = twoDigits(98 - remainder) + account;
    std::string grouped = digits.substr(0, 2);
    for (std::size_t i = 2; i < digits.size(); i += 4) grouped += " " + digits.substr(i, 4);
    return grouped;
}

}  // namespace qzsample
