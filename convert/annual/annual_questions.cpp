#include "convert/annual/annual_questions.h"

#include <string>

#include "convert/copying/copy_steps.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "convert/run_state.h"
#include "platform/cp852.h"
#include "tui/message_box.h"
#include "tui/question.h"
#include "tui/tones.h"

namespace convert {

namespace {

using namespace platform::literals;

constexpr int kProportionWidth = 3;
constexpr std::uint16_t kMaxProportion = 100;

// A decimal whole number from 0 to 100, blanks around it allowed.
std::optional<std::uint16_t> ProportionOf(std::string_view answer) {
    const std::size_t first = answer.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    answer = answer.substr(first, answer.find_last_not_of(' ') - first + 1);
    if (answer.size() > kProportionWidth) return std::nullopt;
    std::uint16_t value = 0;
    for (const char c : answer) {
        if (c < '0' || c > '9') return std::nullopt;
        value = static_cast<std::uint16_t>(value * 10 + (c - '0'));
    }
    if (value > kMaxProportion) return std::nullopt;
    return value;
}

}  // namespace

bool ChooseYear2024Settings() {
    if (TheRunState().annualSettingsFrom2024ForAll) return true;
    constexpr std::string_view kBothYears = "Występują dane ROCZNE za rok 2023 i 2024 !"_cp;
    constexpr std::string_view kChoices = " B-2023 N-2024, A-wszyskie następne na N  (B/N/A) ? "_cp;
    LogLineIn(tui::logcolour::Error, kBothYears);
    LogLineIn(tui::logcolour::Error, "Wybierz z których skrzystać :"_cp);
    tui::LogWrite(kChoices, tui::logcolour::Error);
    const char answer = tui::LogWaitForChoice(std::string(kBothYears).append(kChoices), "BNA");
    tui::LogWriteLine();
    tui::LogWriteLine(std::string(" - wybrano: ") + answer);
    ReportToCheck(answer == 'B' ? "dane roczne wzięte z 2023"_cp : "dane roczne wzięte z 2024"_cp);
    tui::LogWriteLine();
    if (answer == 'A') TheRunState().annualSettingsFrom2024ForAll = true;
    return answer != 'B';
}

std::uint16_t AskVatProportion(std::optional<std::uint16_t> settled2023) {
    // Through a constant: clang 14 crashes on a string built straight from the literal.
    constexpr std::string_view kSettledIn2023 = "Firma rozliczała  VAT w proporcji "_cp;
    std::string prompt(kSettledIn2023);
    if (settled2023) prompt += std::to_string(*settled2023) + "%";
    prompt += tui::kLineEnd;
    prompt += "a zakładana na 2024 wynosi 0% ?"_cp;
    prompt += tui::kLineEnd;
    prompt += "Podaj właściwą:"_cp;
    for (;;) {
        std::string answer = "0";
        // Whatever closes the box, its value is the answer: a cancelled box gives
        // back the "0" it started with.
        tui::InputBox(0, answer, prompt, kProportionWidth, tui::Recorded::Yes);
        if (const std::optional<std::uint16_t> proportion = ProportionOf(answer)) {
            ReportToCheck(std::string("proporcja VAT na 2024 wpisana ręcznie: "_cp) + std::to_string(*proportion) +
                          "%");
            return *proportion;
        }
        tui::WarningBeep();
    }
}

void WarnOfOpenDecember() {
    // The warning is on screen from its first line on: a key pressed while it beeps
    // answers it.
    tui::DiscardTypeAhead();
    tui::LogWriteLine("Nie zatwierdzono miesiąca GRUDNIA.2023"_cp);
    ReportToCheck("nie zatwierdzono miesiąca GRUDNIA.2023: BZ.2023 przeniesiony jako BO.2024"_cp);
    tui::Beep();
    tui::LogWriteLine("mogę przenieść niepoprawny stan BZ.2023 jako BO.2024"_cp);
    tui::Beep();
    tui::LogWaitForKey(false);
}

}  // namespace convert
