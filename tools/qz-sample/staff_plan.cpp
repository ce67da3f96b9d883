#include "tools/qz-sample/staff_plan.h"

#include <cstdlib>
#include <iterator>

#include "tools/qz-sample/identifiers.h"
#include "tools/qz-sample/polish_names.h"

namespace qzsample {

namespace {

// Every firm meets these cases among its first employees, in an order that differs
// from firm to firm; the rest of the staff is mostly employed for good.
constexpr Employment kEmployeeCases[] = {
    Employment::Continuing, Employment::EndsOnCutOff, Employment::Rehired,     Employment::Left2023,
    Employment::EndsIn2024, Employment::LeftEarlier,  Employment::RehiredLeft, Employment::NoStart,
};

Employment drawEmployment(SampleRandom& random) {
    const int roll = random.between(1, 100);
    if (roll <= 62) return Employment::Continuing;
    if (roll <= 70) return Employment::EndsIn2024;
    if (roll <= 76) return Employment::EndsOnCutOff;
    if (roll <= 82) return Employment::Left2023;
    if (roll <= 88) return Employment::LeftEarlier;
    if (roll <= 94) return Employment::Rehired;
    if (roll <= 98) return Employment::RehiredLeft;
    return Employment::NoStart;
}

PackedDate dateIn(SampleRandom& random, int firstYear, int lastYear, int firstMonth = 1, int lastMonth = 12) {
    const int month = random.between(firstMonth, lastMonth);
    const int year = random.between(firstYear, lastYear);
    return PackedDate{static_cast<std::uint8_t>(random.between(1, daysInMonth(month, year))),
                      static_cast<std::uint8_t>(month), static_cast<std::uint16_t>(year)};
}

PackedDate endOfMonth(int month, int year) {
    return PackedDate{static_cast<std::uint8_t>(daysInMonth(month, year)), static_cast<std::uint8_t>(month),
                      static_cast<std::uint16_t>(year)};
}

void setPeriods(PersonPlan& person, SampleRandom& random) {
    switch (person.employment) {
        case Employment::Continuing: person.start1 = dateIn(random, 2005, 2022); break;
        case Employment::EndsIn2024:
            person.start1 = dateIn(random, 2018, 2022);
            person.end1 = endOfMonth(random.between(1, 6), 2024);
            break;
        case Employment::EndsOnCutOff:
            person.start1 = dateIn(random, 2015, 2022);
            person.end1 = kCutOff;
            break;
        case Employment::Left2023:
            person.start1 = dateIn(random, 2016, 2022);
            person.end1 = endOfMonth(random.between(1, 11), 2023);
            break;
        case Employment::LeftEarlier:
            person.start1 = dateIn(random, 2010, 2018);
            person.end1 = endOfMonth(random.between(1, 12), random.between(2019, 2022));
            break;
        case Employment::Rehired:
            person.start1 = dateIn(random, 2012, 2017);
            person.end1 = endOfMonth(random.between(1, 12), random.between(2018, 2021));
            person.start2 = dateIn(random, 2023, 2023, 1, 11);
            break;
        case Employment::RehiredLeft:
            person.start1 = dateIn(random, 2012, 2017);
            person.end1 = endOfMonth(random.between(1, 12), random.between(2018, 2021));
            person.start2 = dateIn(random, 2023, 2023, 1, 6);
            person.end2 = kCutOff;
            break;
        case Employment::NoStart: break;
        case Employment::OwnerActive: person.start1 = dateIn(random, 1995, 2020); break;
        case Employment::OwnerEnded:
            person.start1 = dateIn(random, 2000, 2015);
            person.end1 = kCutOff;
            break;
    }
}

PersonPlan makePerson(std::int64_t key, Employment employment, SampleRandom& random) {
    PersonPlan person;
    person.key = key;
    person.employment = employment;
    person.owner = employment == Employment::OwnerActive || employment == Employment::OwnerEnded;
    person.female = random.chance(45);
    const Surname& surname = random.pick(surnames());
    person.surname = person.female ? surname.female : surname.male;
    person.firstName = person.female ? random.pick(femaleFirstNames()) : random.pick(maleFirstNames());
    person.birth = dateIn(random, 1958, 2004);
    person.pesel = makePesel(random, person.birth, person.female);
    setPeriods(person, random);
    return person;
}

void addFamily(const PersonPlan& person, std::int64_t key, StaffPlan& staff, SampleRandom& random) {
    const Surname* pair = nullptr;
    for (const Surname& surname : surnames())
        if (surname.male == person.surname || surname.female == person.surname) pair = &surname;
    auto member = [&](bool female, int firstYear, int lastYear) {
        FamilyPlan relative;
        relative.key = key;
        relative.surname = female ? pair->female : pair->male;
        relative.firstName = female ? random.pick(femaleFirstNames()) : random.pick(maleFirstNames());
        relative.birth = dateIn(random, firstYear, lastYear);
        staff.family.push_back(relative);
    };
    if (random.chance(70)) member(!person.female, 1958, 2000);
    for (int children = random.between(0, 2); children > 0; --children) member(random.chance(50), 2005, 2022);
    if (staff.family.empty() || staff.family.back().key != key) member(random.chance(50), 2005, 2022);
}

}  // namespace

bool continuesInto2024(const PersonPlan& person) {
    if (isRemoved(person)) return false;
    const auto after = [](PackedDate end) { return end.empty() || end.packed() > kCutOff.packed(); };
    if (person.owner) return !(!person.start1.empty() && !person.end1.empty() && person.end1.packed() >= kCutOff.packed());
    return (!person.start1.empty() && after(person.end1)) || (!person.start2.empty() && after(person.end2));
}

StaffPlan planStaff(const FirmPlan& firm, const SampleOptions& options, SampleRandom& random) {
    const bool full = options.profile == Profile::Full;
    const int count = options.personsPerFirm;
    StaffPlan staff;
    std::int64_t key = random.between(1, 30);
    for (int i = 0; i < count; ++i) {
        Employment employment = drawEmployment(random);
        if (i == 0)
            employment = Employment::OwnerActive;
        else if (i == 1 && count >= 6)
            employment = random.chance(50) ? Employment::OwnerActive : Employment::OwnerEnded;
        else if (i < 10)
            employment = kEmployeeCases[(i + firm.number) % std::size(kEmployeeCases)];
        PersonPlan person = makePerson(key, employment, random);
        if (i == 0) {
            person.female = firm.ownerFemale;
            person.surname = firm.ownerSurname;
            person.firstName = firm.ownerFirstName;
            person.pesel = makePesel(random, person.birth, person.female);
        }
        key += random.between(1, 4);
        if (i > 0 && random.chance(8)) person.key = -person.key;
        person.scrambled = random.chance(20);
        staff.persons.push_back(std::move(person));
    }
    // Every firm big enough shows a removed and a scrambled person.
    bool anyRemoved = false;
    bool anyScrambled = false;
    for (const PersonPlan& person : staff.persons) {
        anyRemoved = anyRemoved || isRemoved(person);
        anyScrambled = anyScrambled || person.scrambled;
    }
    if (!anyRemoved && count >= 4) staff.persons.back().key = -staff.persons.back().key;
    if (!anyScrambled && count >= 3) staff.persons[2].scrambled = true;

    bool orphanShown = false;
    for (const PersonPlan& person : staff.persons) {
        if (!random.chance(person.owner ? 60 : 35) && !(isRemoved(person) && full && !orphanShown)) continue;
        std::int64_t familyKey = person.key;
        // The family of a removed person is normally removed with it; some trees keep
        // it under the person's old key, which then points at nobody.
        if (isRemoved(person) && full && (!orphanShown || random.chance(50))) {
            familyKey = -person.key;
            orphanShown = true;
        }
        addFamily(person, familyKey, staff, random);
        if (random.chance(10)) staff.family.back().key = -std::llabs(familyKey);
    }
    return staff;
}

}  // namespace qzsample
