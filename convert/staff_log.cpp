#include "convert/staff_log.h"

#include <string>

#include "convert/person_keys.h"
#include "convert/progress_log.h"

namespace convert {

void LogPersonName(std::string_view label, std::string_view first, std::string_view second) {
    LogWrite(label, logcolour::Label);
    LogWrite(std::string(first) + " " + std::string(second), logcolour::Prompt);
}

char AskLetter(std::string_view prompt, std::string_view letters) {
    LogWrite(prompt, logcolour::YesNo);
    // The line so far names the person and the question.
    return LogWaitForChoice(LogLineSoFar(), letters);
}

void WarnWhenPersonKeysOverflow(std::string_view warning) {
    if (PersonKeyCount() <= kPersonKeyEntries) return;
    LogWriteLine(warning);
    LogWaitForKey();
}

}  // namespace convert
