#pragma once
// Which firms the sample tree holds and what kind of case each one is. The registry,
// the annual settings and every file of a firm follow from its plan.
#include <string>
#include <vector>

#include "tools/qz-sample/sample_options.h"
#include "tools/qz-sample/sample_random.h"

namespace qzsample {

// Which annual settings files the firm's 2023 directory holds.
enum class AnnualFiles {
    Only2023,  // 2023_ROK.REK
    Both,      // 2023_ROK.REK and the 2024_ROK.REK already started: the converter asks which
    Only2024,  // only 2024_ROK.REK: the year-2024 files kept in 2023 are the source
};

struct FirmPlan {
    int number = 0;            // order of generation; seeds the firm's own data
    std::string name;          // code page 852, at most 31 characters
    std::string directory;     // ASCII upper case, at most 8 characters
    std::string description;   // code page 852, the picker's INFO text
    std::string oldDescription;  // a longer text the description replaced; its end stays in the record
    std::string kind;          // the first words of the name ("Piekarnia", "P.H.U." ...)
    std::string ownerSurname;    // the owner, whose name the firm's name often bears
    std::string ownerFirstName;
    bool ownerFemale = false;
    std::string city;
    std::string voivodeship;
    std::string postCode;
    std::string street;
    int house = 1;
    AnnualFiles annual = AnnualFiles::Only2023;
    bool vatByProportion = false;
    bool vatProportionMissing = false;  // no proportion for 2024: the converter asks for it
    bool decemberOpen = false;          // December 2023 not approved: the converter warns
    bool everyFile = false;             // holds every optional file of the firm
    bool upperCaseNames = false;        // some files named in upper case, as Windows trees may have
};

inline bool has2023Settings(const FirmPlan& firm) { return firm.annual != AnnualFiles::Only2024; }
inline bool has2024Settings(const FirmPlan& firm) { return firm.annual != AnnualFiles::Only2023; }
// The converter takes the firm's year-2024 files as its source without asking.
inline bool keeps2024Source(const FirmPlan& firm) { return firm.annual == AnnualFiles::Only2024; }

// The firms in registry order: sorted by name as the bookkeeping program keeps them,
// with a few neighbours out of place, as registries edited by hand are.
std::vector<FirmPlan> planFirms(const SampleOptions& options, SampleRandom random);

}  // namespace qzsample
