#include "tui/colours.h"

namespace tui {

namespace {
ColourScheme gScheme = kDefaultColours;
Attribute gClockAttribute = 0x0F;
}  // namespace

Attribute Colour(ColourRole role) { return gScheme[role]; }

void SaveColours(ColourScheme& copy) { copy = gScheme; }

void RestoreColours(const ColourScheme& copy) {
    if (copy[0] == 0 && copy[1] == 0 && copy[2] == 0 && copy[3] == 0) return;
    gScheme = copy;
}

Attribute ClockAttribute() { return gClockAttribute; }
void SetClockAttribute(Attribute attribute) { gClockAttribute = attribute; }

}  // namespace tui
