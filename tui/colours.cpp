#include "tui/colours.h"

namespace tui {

namespace {
ColourScheme gScheme = kDefaultColours;
Attribute gClockAttribute = 0x0F;
std::array<Attribute, 4> gControlColours = {kDefaultColours[0], kDefaultColours[1], kDefaultColours[2],
                                            kDefaultColours[3]};
}  // namespace

Attribute Colour(ColourRole role) { return gScheme[role]; }

void SaveColours(ColourScheme& copy) { copy = gScheme; }

void RestoreColours(const ColourScheme& copy) {
    if (copy[0] == 0 && copy[1] == 0 && copy[2] == 0 && copy[3] == 0) return;
    gScheme = copy;
}

Attribute ControlColour(int index) { return gControlColours[static_cast<std::size_t>(index)]; }

void CopyControlColours() {
    for (std::size_t i = 0; i < gControlColours.size(); ++i) gControlColours[i] = gScheme[i];
}

Attribute ClockAttribute() { return gClockAttribute; }
void SetClockAttribute(Attribute attribute) { gClockAttribute = attribute; }

}  // namespace tui
