#include "product/environment.h"

#include "platform/process.h"
#include "product/switches.h"

namespace product {

namespace {
// Settled once at start-up from the command line or the environment, read by every layer.
std::string gRegistryFileName = "SPISFIRM.DAT";
}  // namespace

void InitEnvironment() {
    std::string name = SwitchValue("/kprspis:").substr(0, kRegistryNameLength);
    if (name.empty()) name = platform::Environment("KPRSPIS").value_or("").substr(0, kRegistryNameLength);
    gRegistryFileName = name.empty() ? "SPISFIRM.DAT" : name;
}

const std::string& RegistryFileName() { return gRegistryFileName; }

}  // namespace product
