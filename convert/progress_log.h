#pragma once
// The progress log: the scrolling text area in which the conversion reports what it
// does, on the whole 80x25 screen. Rows 1 and 2 hold the header and never scroll;
// lines are written into rows 3-23 and scroll up there; row 24 stays blank. A colour
// set for the log holds for the next write only, then the screen's text attribute
// is back in force.
#include <string_view>

#include "tui/colours.h"
#include "tui/event.h"

namespace convert {

inline constexpr int kLogColumns = 80;
inline constexpr int kLogRows = 25;

// The colour of the next write.
void SetLogColour(tui::Attribute colour);
// Writes text at the log position without ending the line, cut at column 80.
void LogWrite(std::string_view text);
// Writes text and ends the line, scrolling when the last line of the area is full.
void LogWriteLine(std::string_view text = {});
// Blanks the whole screen (whole) or everything below the two header rows; the next
// write goes to the first blanked row.
void ClearLog(bool whole);
// Waits for one key and discards whatever was typed ahead of it.
tui::Event LogWaitForKey();
// Waits one second in slow mode, so the user can follow the log.
void LogPause();
void SetLogSlowMode(bool on);

}  // namespace convert
