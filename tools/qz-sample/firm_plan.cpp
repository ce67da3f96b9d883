#include "tools/qz-sample/firm_plan.h"

#include <algorithm>
#include <set>

#include "tools/qz-sample/polish_names.h"

namespace qzsample {

namespace {

constexpr std::size_t kNameLength = 31;
constexpr std::size_t kDirectoryLength = 8;

struct Traits {
    AnnualFiles annual;
    bool vatByProportion;
    bool vatProportionMissing;
    bool decemberOpen;
};

// The first firms cover every case of their profile; later firms are drawn at random.
constexpr Traits kFullCases[] = {
    {AnnualFiles::Only2023, false, false, false}, {AnnualFiles::Both, true, false, false},
    {AnnualFiles::Only2023, true, false, true},   {AnnualFiles::Only2023, true, true, false},
    {AnnualFiles::Only2024, true, true, false},   {AnnualFiles::Both, false, false, true},
};
constexpr Traits kQuietCases[] = {
    {AnnualFiles::Only2023, false, false, false},
    {AnnualFiles::Only2024, true, false, false},
    {AnnualFiles::Only2023, true, false, false},
};

Traits drawTraits(const SampleOptions& options, int number, SampleRandom& random) {
    const bool quiet = options.profile == Profile::Quiet;
    const std::span<const Traits> cases = quiet ? std::span<const Traits>(kQuietCases) : kFullCases;
    if (number < static_cast<int>(cases.size())) return cases[number];
    Traits traits{};
    const int roll = random.between(1, 100);
    traits.annual = roll <= 60 ? AnnualFiles::Only2023 : roll <= 85 ? AnnualFiles::Both : AnnualFiles::Only2024;
    if (quiet && traits.annual == AnnualFiles::Both) traits.annual = AnnualFiles::Only2024;
    traits.vatByProportion = random.chance(30);
    traits.vatProportionMissing = !quiet && traits.vatByProportion && random.chance(20);
    traits.decemberOpen = !quiet && random.chance(15);
    return traits;
}

std::string registryKey(const FirmPlan& firm) {
    auto fitted = [](std::string text, std::size_t width) {
        text.resize(width, ' ');
        return text;
    };
    return fitted(firm.name, 31) + " " + fitted(firm.directory, 8) + " " + fitted(firm.description, 25);
}

// A directory named after the firm's distinctive word; a number tells apart firms
// that share the word.
std::string uniqueDirectory(const std::string& word, std::set<std::string>& used) {
    std::string base = foldToAscii(word);
    if (base.empty()) base = "FIRMA";
    std::string directory = base.substr(0, kDirectoryLength);
    for (int counter = 1; used.count(directory); ++counter)
        directory = base.substr(0, 5) + std::to_string(1000 + counter).substr(1);
    used.insert(directory);
    return directory;
}

}  // namespace

std::vector<FirmPlan> planFirms(const SampleOptions& options, SampleRandom random) {
    std::vector<FirmPlan> firms;
    std::set<std::string> names;
    std::set<std::string> directories;
    for (int number = 0; number < options.firms; ++number) {
        FirmPlan firm;
        firm.number = number;
        std::string word;
        // The third firm is the second one's partnership: one more name sharing a prefix.
        if (number == 2) {
            firm = firms[1];
            firm.number = number;
            word = firms[1].name.substr(firms[1].kind.size() + 1);
            firm.name = firms[1].name + " s.c.";
        }
        while (firm.name.empty() || names.count(firm.name)) {
            firm.kind = random.pick(firmKinds());
            firm.ownerFemale = random.chance(35);
            const Surname& surname = random.pick(surnames());
            firm.ownerSurname = firm.ownerFemale ? surname.female : surname.male;
            firm.ownerFirstName = firm.ownerFemale ? random.pick(femaleFirstNames()) : random.pick(maleFirstNames());
            const int form = random.between(1, 10);
            word = form <= 2 ? std::string(random.pick(tradeNames())) : firm.ownerSurname;
            if (form <= 2)
                firm.name = firm.kind + " \"" + word + "\"";
            else if (form <= 6)
                firm.name = firm.kind + " " + word;
            else
                firm.name = firm.kind + " " + firm.ownerFirstName + " " + word;
            // A name that does not fit is drawn again; the second firm leaves room for the
            // partnership's suffix.
            if (firm.name.size() > (number == 1 ? kNameLength - 5 : kNameLength)) firm.name.clear();
        }
        names.insert(firm.name);
        firm.directory = uniqueDirectory(word, directories);
        const City& city = random.pick(cities());
        firm.city = city.name;
        firm.voivodeship = city.voivodeship;
        firm.postCode = std::string(city.postCodePrefix) + std::to_string(random.between(100, 999));
        firm.street = random.pick(streets());
        firm.house = random.between(1, 140);
        firm.description = firm.city + ", ul. " + firm.street + " " + std::to_string(firm.house);
        firm.oldDescription.clear();
        if (random.chance(25))
            firm.oldDescription = firm.description + " lok. " + std::to_string(random.between(1, 40)) +
                                  ", tel. 4" + std::to_string(random.between(10000000, 99999999));
        const Traits traits = drawTraits(options, number, random);
        firm.annual = traits.annual;
        firm.vatByProportion = traits.vatByProportion;
        firm.vatProportionMissing = traits.vatProportionMissing;
        firm.decemberOpen = traits.decemberOpen;
        firm.everyFile = number == 0 || random.chance(20);
        firm.upperCaseNames = number == 1 || random.chance(20);
        firms.push_back(std::move(firm));
    }
    std::stable_sort(firms.begin(), firms.end(),
                     [](const FirmPlan& a, const FirmPlan& b) { return polishLess(registryKey(a), registryKey(b)); });
    const int misplaced = firms.size() < 2 ? 0 : 1 + options.firms / 10;
    for (int i = 0; i < misplaced; ++i) {
        const std::size_t at = random.below(static_cast<std::uint32_t>(firms.size() - 1));
        std::swap(firms[at], firms[at + 1]);
    }
    return firms;
}

}  // namespace qzsample
