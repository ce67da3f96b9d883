// The span in which the file layer may remember names, the same on every platform;
// what is remembered, if anything, is the native layer's business.
#include "platform/file_access.h"

namespace platform {

namespace {

int gDepth = 0;
std::uint32_t gSpan = 0;

}  // namespace

NameMemory::NameMemory() {
    if (gDepth++ == 0) ++gSpan;
    if (gSpan == 0) gSpan = 1;  // 0 means "no span"
}

NameMemory::~NameMemory() { --gDepth; }

std::uint32_t nameMemorySpan() { return gDepth > 0 ? gSpan : 0; }

}  // namespace platform
