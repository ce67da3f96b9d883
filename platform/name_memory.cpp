// The span in which the file layer may remember names, the same on every platform;
// what is remembered, if anything, is the native layer's business.
#include "platform/file_access.h"

namespace platform {

namespace {

// The spans of the process, nested: a NameMemory is made wherever a run begins and
// the file layer asks from anywhere whether one is in force.
struct Spans {
    int depth = 0;
    std::uint32_t current = 0;  // the number of the outermost span
};
Spans gSpans;

}  // namespace

NameMemory::NameMemory() {
    if (gSpans.depth++ == 0) ++gSpans.current;
    if (gSpans.current == 0) gSpans.current = 1;  // 0 means "no span"
}

NameMemory::~NameMemory() { --gSpans.depth; }

std::uint32_t NameMemorySpan() { return gSpans.depth > 0 ? gSpans.current : 0; }

}  // namespace platform
