#pragma once
// The per-firm loop of a started run: the firms to convert are chosen, each is
// converted, and each converted firm is entered into the 2024 firm registry.
#include "app/main_flow.h"

namespace app {

// Detects the firms that still need converting, lets the user pick them and converts
// the selected ones in registry order; a firm whose conversion succeeds goes into the
// 2024 registry in key order with its 2023 record unchanged. Clears the log below
// the banner at the end.
void RunFirmLoop(const Run& run);

}  // namespace app
