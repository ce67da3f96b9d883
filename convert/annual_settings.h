#pragma once
// The conversion of a firm's annual settings: the 2024 file 2024_ROK.REK in the
// firm's 2024 directory, made from the 2023 file 2023_ROK.REK or from the 2024 file
// the 2023 program already kept, asking which when both are there. It carries what
// survives the turn of the year, starts the counters again and opens 2024 with the
// 2023 closing balance when the 2023 file is the source.
#include <string>

#include "convert/firm_paths.h"

namespace convert {

// Sets the year-2024 source flag when the 2024 file is the source (also when the
// conversion then fails). The target is left complete or not at all: after a failed
// read or write it is deleted. Every failure is reported in the log with a key
// wait; none stops the firm.
void ConvertAnnualSettings(const FirmPaths& firm);

// Where the firm's 2023 data lie, recorded by the last conversion once it read the
// general settings: the source directory cut to 40 characters. Empty before that.
const std::string& PreviousYearLocation();

}  // namespace convert
