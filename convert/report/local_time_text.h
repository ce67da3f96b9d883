#pragma once
// The local date and time as the converter writes them into its files: the run's
// report and the in-progress mark of a firm.
#include <string>

namespace convert {

// "YYYY-MM-DD HH:MM:SS" of the clock's local date and time.
std::string LocalDateTimeText();

}  // namespace convert
