#include "app/firm_table.h"

#include <array>
#include <memory>

namespace app {

namespace {
std::array<std::unique_ptr<FirmRecord>, kMaxFirms> gFirms;
}  // namespace

void SetFirm(std::uint16_t number, const fileio::RegistryRecord& record) {
    if (number < 1 || number > kMaxFirms) return;
    gFirms[number - 1] = std::make_unique<FirmRecord>(FirmRecord{record, true});
}

FirmRecord* FirmByNumber(std::uint16_t number) {
    if (number < 1 || number > kMaxFirms) return nullptr;
    return gFirms[number - 1].get();
}

void ReleaseFirmTable(std::uint16_t count) {
    for (std::uint16_t number = 1; number <= count && number <= kMaxFirms; ++number) gFirms[number - 1].reset();
}

}  // namespace app
