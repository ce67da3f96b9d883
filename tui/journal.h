#pragma once
// The one way into the run's written record. The progress log hands over each line
// it has shown and every question what it asked with the answer it got; boxes of the
// error kind hand over their text. A listener, installed while a run is recorded,
// takes them; with none installed nothing is kept. Texts are code page 852, box texts
// already flattened to one line.
#include <cstdint>
#include <string>
#include <string_view>

namespace tui {

enum class JournalEntry : std::uint8_t {
    Shown,         // a line as the screen showed it
    ShownAsError,  // a line shown in the error colour, or an error box
    Answered,      // a question (text) with its answer
};

using JournalListener = void (*)(JournalEntry entry, std::string_view text, std::string_view answer);

// Installs the listener; nullptr stops the recording.
void SetJournalListener(JournalListener listener);

void JournalLine(std::string_view text, bool inErrorColour);
// Records question (a box text or a log prompt) with the answer. A question records
// itself (tui/question.h); this is for an answer the record can only take later.
void JournalAnswer(std::string_view question, std::string_view answer);

// A box text on one line: its lines without the centring byte and the blanks around
// them, joined by one blank; the title byte counts as a line end.
std::string OneLine(std::string_view boxText);

}  // namespace tui
