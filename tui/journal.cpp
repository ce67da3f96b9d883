#include "tui/journal.h"

#include <algorithm>

#include "tui/box_text.h"
#include "tui/message_box.h"

namespace tui {

namespace {

// Process-wide by design: a hook, so that the questions of every layer reach the run's
// record without it being handed down to them.
JournalListener gListener = nullptr;

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void SetJournalListener(JournalListener listener) { gListener = listener; }

void JournalLine(std::string_view text, bool inErrorColour) {
    if (gListener) gListener(inErrorColour ? JournalEntry::ShownAsError : JournalEntry::Shown, text, {});
}

void JournalAnswer(std::string_view question, std::string_view answer) {
    if (gListener) gListener(JournalEntry::Answered, OneLine(question), answer);
}

std::string OneLine(std::string_view boxText) {
    std::string flat(boxText);
    std::replace(flat.begin(), flat.end(), kTitleEnd, kLineEnd);
    std::string line;
    for (const BoxLine& part : BoxLines(flat)) {
        const std::string_view text = Trimmed(part.text);
        if (text.empty()) continue;
        if (!line.empty()) line += ' ';
        line += text;
    }
    return line;
}

}  // namespace tui
