#include "convert/options.h"

namespace convert {

bool KeepFamiliesWithStaff(std::uint16_t& firmItems) {
    if ((firmItems & firm::Staff) != 0 || (firmItems & firm::Families) == 0) return false;
    firmItems &= static_cast<std::uint16_t>(~firm::Families);
    return true;
}

}  // namespace convert
