#pragma once
// The conversion of a firm's annual settings: the 2024 file 2024_ROK.REK in the
// firm's 2024 directory, made from the 2023 file 2023_ROK.REK or from the 2024 file
// the 2023 program already kept, asking which when both are there. It carries what
// survives the turn of the year, starts the counters again and opens 2024 with the
// 2023 closing balance when the 2023 file is the source.
#include <string>

#include "convert/firm/firm_paths.h"

namespace convert {

// What the annual settings conversion of a firm found, for the items after it.
struct AnnualSettingsFound {
    // The 2024 file that the 2023 program already kept is the source (set also when
    // the conversion then fails): records of 2024 are then kept as they are instead
    // of being built afresh.
    bool year2024Source = false;
    // Where the firm's 2023 data lie, once the general settings were read: the source
    // directory cut to 40 characters; empty when the conversion did not get that far.
    std::string previousYearLocation;
};

// found starts as a firm starts (AnnualSettingsFound{}). The target is left complete
// or not at all: after a failed read or write it is deleted. Every failure is
// reported in the log with a key wait; none stops the firm. warnOfOpenDecember: the
// run's choice to be told that December 2023 was not approved.
void ConvertAnnualSettings(const FirmPaths& firm, bool warnOfOpenDecember, AnnualSettingsFound& found);

}  // namespace convert
