#include "tui/colours.h"

#include "tui/desktop.h"

namespace tui {

Attribute Colour(ColourRole role) { return TheScreen().scheme[role]; }

void SaveColours(ColourScheme& copy) { copy = TheScreen().scheme; }

void RestoreColours(const ColourScheme& copy) {
    if (copy[0] == 0 && copy[1] == 0 && copy[2] == 0 && copy[3] == 0) return;
    TheScreen().scheme = copy;
}

Attribute ControlColour(int index) { return TheScreen().controlColours[static_cast<std::size_t>(index)]; }

void CopyControlColours() {
    ScreenState& screen = TheScreen();
    for (std::size_t i = 0; i < screen.controlColours.size(); ++i) screen.controlColours[i] = screen.scheme[i];
}

Attribute ClockAttribute() { return TheScreen().clockAttribute; }
void SetClockAttribute(Attribute attribute) { TheScreen().clockAttribute = attribute; }

}  // namespace tui
