#include "convert/staff/staff_log.h"

#include <string>

#include "tui/before_wait.h"
#include "tui/progress_log.h"

namespace convert {

void LogPersonName(std::string_view label, std::string_view first, std::string_view second, bool asks) {
    if (asks) tui::DoBeforeWait();
    tui::LogNotice(label, tui::logcolour::Label);
    tui::LogNotice(std::string(first) + " " + std::string(second), tui::logcolour::Prompt);
}

char AskLetter(std::string_view prompt, std::string_view letters) {
    tui::LogWrite(prompt, tui::logcolour::YesNo);
    // The line so far names the person and the question.
    return tui::LogWaitForChoice(tui::LogLineSoFar(), letters);
}

void WarnWhenPersonKeysOverflow(const PersonKeys& keys, std::string_view warning) {
    if (keys.Count() <= kPersonKeyEntries) return;
    tui::LogWriteLine(warning);
    tui::LogWaitForKey();
}

}  // namespace convert
