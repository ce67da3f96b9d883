#pragma once
// Command-line switches of the product family ("/kprspis:SPIS.DAT"): a switch may be
// written with "/" or "-" and, in the case-insensitive mode every switch uses, in any
// letter case.
#include <string>
#include <string_view>

namespace product {

// Looks for the switch among the command-line parameters, first to last: the name
// and each parameter lose a leading "/" or "-", and the parameter matches when it
// begins with the name (ASCII letters compared upper-cased when caseInsensitive).
// The first match wins.
bool FindSwitch(std::string_view name, bool caseInsensitive);

// The text after the switch in its parameter (case-insensitive lookup), or empty
// when the switch is absent.
std::string SwitchValue(std::string_view name);

}  // namespace product
