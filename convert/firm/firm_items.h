#pragma once
// The items of a firm's conversion, in their fixed order, each run when its gate in
// the option set (or the firm's state) is open.
#include "convert/firm/firm_copies.h"

namespace convert {

// Runs every item whose gate is open. A failed item never stops the ones after it.
void RunFirmItems(const FirmCopies& firm);

}  // namespace convert
