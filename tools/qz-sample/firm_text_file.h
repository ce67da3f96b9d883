#pragma once
// The firm's text data FIRMATXT.INI as the 2023 program leaves it: every key of the
// firm text data for the working year 2023, plus what real files collect over the
// years: dates in both orders and some unreadable ones, keys and sections spelled in
// another letter case, keys the converter does not know, a missing "DEF_ZUS", and LF
// line ends in some files.
#include <string>

#include "tools/qz-sample/firm_plan.h"
#include "tools/qz-sample/sample_random.h"
#include "tools/qz-sample/staff_plan.h"

namespace qzsample {

inline constexpr const char* kFirmTextFileName = "FIRMATXT.INI";

std::string firmTextFile(const FirmPlan& firm, const StaffPlan& staff, SampleRandom& random);

}  // namespace qzsample
