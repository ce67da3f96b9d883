#pragma once
// Text attributes and the process-wide colour scheme: eleven attributes by role,
// read at start-up from the colour file beside the executable.
#include <array>
#include <cstdint>

namespace tui {

// Bits 0-3 the foreground colour, bits 4-7 the background, in the 16 PC text colours.
using Attribute = std::uint8_t;

constexpr Attribute MakeAttribute(std::uint8_t background, std::uint8_t foreground) {
    return static_cast<Attribute>(background * 16 + foreground);
}

// The roles of the scheme, in the order of the colour file.
enum ColourRole : int {
    colNormal = 0,         // plain text; label of a control without the focus
    colFocusedLabel = 1,   // label of the focused control
    colControl = 2,        // dialog controls
    colControlAlt = 3,     // dialog controls
    colDialogFrame = 4,    // frame of a dialog; header of the yes/no window
    colDialogText = 5,     // interior of dialogs and boxes, buttons, list text
    colDialogTitle = 6,    // title of a dialog
    colQuestion = 7,       // question of the yes/no window; help text
    colError = 8,          // error boxes; the empty-list mark
    colHotKey = 9,         // hot-key letters
    colSelection = 10,     // selection bar, selected choice, hint bar
};

inline constexpr int kSchemeSize = 11;
using ColourScheme = std::array<Attribute, kSchemeSize>;

inline constexpr ColourScheme kDefaultColours = {0x07, 0x0F, 0x1F, 0x70, 0x07, 0x02,
                                                 0x0F, 0x0F, 0x4F, 0x0F, 0x70};

// The attribute of a role in the scheme in force.
Attribute Colour(ColourRole role);

void SaveColours(ColourScheme& copy);
// A copy whose first four attributes are all 0 is no scheme (an empty copy or a
// zeroed colour file): restoring it changes nothing.
void RestoreColours(const ColourScheme& copy);

// The dialog controls' own four colours, copied from scheme colours 0-3 at start-up
// (a box that changes the scheme for a while leaves the controls as they were).
Attribute ControlColour(int index);
void CopyControlColours();

// The attribute of the clock in the top-right corner (white on black by default).
Attribute ClockAttribute();
void SetClockAttribute(Attribute attribute);

}  // namespace tui
