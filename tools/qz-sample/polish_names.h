#pragma once
// Word lists for realistic Polish names, addresses and ledger texts, in code page 852.
#include <span>
#include <string>
#include <string_view>

namespace qzsample {

struct Surname {
    std::string_view male;
    std::string_view female;
};

std::span<const Surname> surnames();
std::span<const std::string_view> maleFirstNames();
std::span<const std::string_view> femaleFirstNames();
// Kinds of business that begin firm names ("Usługi Transportowe", "Piekarnia" ...).
std::span<const std::string_view> firmKinds();
// Trade names that some firms use instead of the owner's surname.
std::span<const std::string_view> tradeNames();
struct City {
    std::string_view name;
    std::string_view voivodeship;
    std::string_view postCodePrefix;  // the first digits and the dash of its post codes
};
std::span<const City> cities();
std::span<const std::string_view> streets();
std::span<const std::string_view> bankNames();
std::span<const std::string_view> taxOffices();
// What ledger entries are about, and the kinds of their documents.
std::span<const std::string_view> entryDescriptions();
std::span<const std::string_view> documentKinds();

// The ASCII letters upper- or lower-cased; every other byte kept.
std::string upperAscii(std::string text);
std::string lowerAscii(std::string text);
// "07" for 7: day and month numbers as the product writes them.
std::string twoDigits(int value);

// Upper-case ASCII of a code page 852 text: Polish letters lose their marks, anything
// else that is not a letter or a digit is dropped. Used for directory names.
std::string foldToAscii(std::string_view text);

// True when a sorts before b in the product's Polish order: upper-cased, each accented
// letter right after its base letter.
bool polishLess(std::string_view a, std::string_view b);

}  // namespace qzsample
