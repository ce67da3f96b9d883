#pragma once
// The progress log: the scrolling text area in which the conversion reports what it
// does, on the whole 80x25 screen. Rows 1 and 2 hold the header and never scroll;
// lines are written into rows 3-23 and scroll up there; row 24 stays blank. Each
// write names its colour; without one it is in the screen's text attribute. Every
// line is handed to the run's record as it ends (tui/journal.h).
#include <string>
#include <string_view>

#include "tui/colours.h"
#include "tui/event.h"
#include "tui/text_device.h"

namespace tui {

inline constexpr int kLogColumns = 80;
inline constexpr int kLogRows = 25;

// The colours of the conversion's log lines.
namespace logcolour {
inline constexpr Attribute Normal = 7;
inline constexpr Attribute Label = 8;       // "osoba: ", "Osoba: "
inline constexpr Attribute CopyStart = 9;   // the start line of each copy; section titles
inline constexpr Attribute YesNo = 10;      // yes/no prompts about persons
inline constexpr Attribute Error = 12;      // errors and the overwrite notice
inline constexpr Attribute Choice = 14;     // the overwrite choices, a missing source
inline constexpr Attribute Prompt = 15;     // prompts and person names
}  // namespace logcolour

// Writes text in colour at the log position without ending the line, cut at column 80.
// A line begun in a colour that calls for attention (not Normal, CopyStart or the
// text attribute) first does the work due before a question (tui/before_wait.h).
void LogWrite(std::string_view text, Attribute colour = TextAttribute());
// Writes text in colour and ends the line, scrolling when the last line of the area
// is full.
void LogWriteLine(std::string_view text = {}, Attribute colour = TextAttribute());
// Writes text as LogWrite does, for text that asks nothing of the user whatever its
// colour (a notice, a name): the work due before a question is left to the question.
void LogNotice(std::string_view text, Attribute colour);
// LogNotice, then the end of the line.
void LogNoticeLine(std::string_view text, Attribute colour);
// Blanks the whole screen (whole) or everything below the two header rows; the next
// write goes to the first blanked row.
void ClearLog(bool whole);
// The line at the write position as shown so far, without the blanks after it.
std::string LogLineSoFar();
// Draws every row of the log again as the log holds it, in the screen's text
// attribute (after a window opened over it blanked the screen).
void RedrawLog();
// The log's questions and waits are questions of tui/question.h.
// Waits for one key and discards whatever was typed before the wait and after the
// key: only a key pressed while the wait is on screen counts. A caller whose text
// stands on screen for a while before the wait (across a tone) discards the keys
// typed before it when it starts writing, and waits with discardFirst false.
Event LogWaitForKey(bool discardFirst = true);
// Discards the keys typed before the question, then reads keys until one of choices
// arrives, each upper-cased the Polish way first (so a lower-case answer counts);
// other keys are ignored. Returns that upper-case character, which the run's record
// takes as the answer to question. Choices are upper-case characters.
char LogWaitForChoice(std::string_view question, std::string_view choices);
// The run's slow mode, in which every pause of the log waits one second so that the
// user can follow it. Off at start; the wizard sets it as its pages close.
void SetSlowLog(bool slow);
// Waits one second in slow mode.
void LogPause();

}  // namespace tui
