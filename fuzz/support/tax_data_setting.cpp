#include "fuzz/support/tax_data_setting.h"


namespace qzfuzz {

convert::TaxDataContext TaxDataSetting(std::uint8_t setting) {
    return {(setting & 1) != 0 ? convert::PitDSelection::AskEach : convert::PitDSelection::All, (setting & 2) != 0};
}

}  // namespace qzfuzz
