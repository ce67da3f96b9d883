#pragma once
// The run's report as the main flow begins it: in the 2024 root, with a header that
// names the program's version, both roots, the registry file and every choice of the
// four wizard pages in the pages' own words.
#include <string>
#include <vector>

#include "app/main_flow.h"

namespace app {

// The header lines, code page 852.
std::vector<std::string> RunReportHeader(const Run& run);
// Begins the report of this run (convert/run_report.h), when page 1 has let the
// roots pass as they stand and the 2024 root lies outside the 2023 tree; otherwise
// the run keeps no report.
void BeginRunReport(const Run& run);

}  // namespace app
