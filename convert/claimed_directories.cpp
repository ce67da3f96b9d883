#include "convert/claimed_directories.h"

#include <map>
#include <set>
#include <string>

#include "tui/polish_text.h"

namespace convert {

namespace {

std::set<std::string> gOurs;
std::map<std::string, ConversionMark> gHeldMarks;

std::string KeyOf(std::string_view target) { return tui::UpperString(target); }

}  // namespace

void NoteMadeByThisRun(std::string_view target) { gOurs.insert(KeyOf(target)); }

void ClaimForRedo(std::string_view target, ConversionMark mark) {
    gOurs.insert(KeyOf(target));
    gHeldMarks[KeyOf(target)] = std::move(mark);
}

bool MadeOrClaimedByThisRun(std::string_view target) { return gOurs.contains(KeyOf(target)); }

ConversionMark TakeClaimedMark(std::string_view target) {
    const auto held = gHeldMarks.find(KeyOf(target));
    if (held == gHeldMarks.end()) return {};
    ConversionMark mark = std::move(held->second);
    gHeldMarks.erase(held);
    return mark;
}

void ReleaseClaims() {
    gHeldMarks.clear();
    gOurs.clear();
}

}  // namespace convert
