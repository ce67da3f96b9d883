#pragma once
// The people of one firm: employees and owners with their employment periods, the
// removed and the scrambled ones, and their families.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/qz-sample/firm_plan.h"
#include "tools/qz-sample/record_buffer.h"

namespace qzsample {

// How a person's periods lie around 31.12.2023.
enum class Employment {
    Continuing,    // employed since before 2023, no end date
    EndsIn2024,    // the period ends in 2024
    EndsOnCutOff,  // the period ends on 31.12.2023 exactly
    Left2023,      // left during 2023
    LeftEarlier,   // left before 2023
    Rehired,       // first period ended before 2023, second began in 2023 with no end
    RehiredLeft,   // second period began in 2023 and ended on 31.12.2023
    NoStart,       // the periods were never filled in
    OwnerActive,   // owner with no end date
    OwnerEnded,    // owner whose business ended on 31.12.2023
};

struct PersonPlan {
    std::int64_t key = 0;  // negative: the record was removed
    bool owner = false;
    bool female = false;
    bool scrambled = false;  // stored scrambled
    Employment employment = Employment::Continuing;
    std::string surname;    // code page 852
    std::string firstName;  // code page 852
    PackedDate birth;
    PackedDate start1, end1, start2, end2;
    std::string pesel;
};

struct FamilyPlan {
    std::int64_t key = 0;  // the person's key; negative: the member was removed
    std::string surname;
    std::string firstName;
    PackedDate birth;
};

struct StaffPlan {
    std::vector<PersonPlan> persons;
    std::vector<FamilyPlan> family;
};

inline bool isRemoved(const PersonPlan& person) { return person.key < 0; }

// Carried into 2024 when only the staff employed on 31.12.2023 are carried: an
// employee with a period that has begun and has not ended by then; an owner unless
// the first period has ended on 31.12.2023 or later. Removed persons are never carried.
bool continuesInto2024(const PersonPlan& person);

StaffPlan planStaff(const FirmPlan& firm, const SampleOptions& options, SampleRandom& random);

}  // namespace qzsample
