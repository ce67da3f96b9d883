#include "convert/staff_log.h"

#include <string>

#include "convert/person_keys.h"
#include "convert/progress_log.h"
#include "tui/polish_text.h"

namespace convert {

namespace {
constexpr tui::Attribute kLabelColour = 0x08;
constexpr tui::Attribute kNameColour = 0x0F;
constexpr tui::Attribute kPromptColour = 0x0A;
constexpr tui::Attribute kNormalColour = 0x07;
}  // namespace

void LogPersonName(std::string_view label, std::string_view first, std::string_view second) {
    SetLogColour(kLabelColour);
    LogWrite(label);
    SetLogColour(kNameColour);
    LogWrite(std::string(first) + " " + std::string(second));
    SetLogColour(kNormalColour);
}

char AskLetter(std::string_view prompt, std::string_view letters) {
    SetLogColour(kPromptColour);
    LogWrite(prompt);
    SetLogColour(kNormalColour);
    for (;;) {
        const char letter = tui::UpperChar(static_cast<char>(LogWaitForKey().character));
        if (letter != '\0' && letters.find(letter) != std::string_view::npos) return letter;
    }
}

void WarnWhenPersonKeysOverflow(std::string_view warning) {
    if (PersonKeyCount() <= kPersonKeyEntries) return;
    LogWriteLine(warning);
    LogWaitForKey();
}

}  // namespace convert
