#include "fuzz/support/tax_data_setting.h"

#include "convert/options.h"
#include "convert/year_source.h"

namespace qzfuzz {

void ApplyTaxDataSetting(std::uint8_t setting) {
    convert::options().pitDSelection =
        (setting & 1) != 0 ? convert::PitDSelection::AskEach : convert::PitDSelection::All;
    convert::SetYear2024Source((setting & 2) != 0);
}

}  // namespace qzfuzz
