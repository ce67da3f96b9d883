#include "convert/staff_log.h"

#include <string>

#include "convert/person_keys.h"
#include "convert/progress_log.h"

namespace convert {

void LogPersonName(std::string_view label, std::string_view first, std::string_view second) {
    SetLogColour(logcolour::Label);
    LogWrite(label);
    SetLogColour(logcolour::Prompt);
    LogWrite(std::string(first) + " " + std::string(second));
    SetLogColour(logcolour::Normal);
}

char AskLetter(std::string_view prompt, std::string_view letters) {
    SetLogColour(logcolour::YesNo);
    LogWrite(prompt);
    SetLogColour(logcolour::Normal);
    // The line so far names the person and the question.
    return LogWaitForChoice(LogLineSoFar(), letters);
}

void WarnWhenPersonKeysOverflow(std::string_view warning) {
    if (PersonKeyCount() <= kPersonKeyEntries) return;
    LogWriteLine(warning);
    LogWaitForKey();
}

}  // namespace convert
