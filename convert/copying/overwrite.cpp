#include "convert/copying/overwrite.h"

#include <string>

#include "convert/copying/file_size.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "convert/run_state.h"
#include "platform/cp852.h"

namespace convert {

namespace {

using namespace platform::literals;

}  // namespace

OverwritePolicy CurrentOverwritePolicy() { return TheRunState().overwrite; }

void SetUnaskedRewrite(UnaskedRewrite rule) { TheRunState().unaskedRewrite = std::move(rule); }

bool AskOverwrite(std::string_view name) {
    RunState& run = TheRunState();
    if (run.unaskedRewrite && run.unaskedRewrite(name)) return false;
    if (run.overwrite == OverwritePolicy::KeepAll) return true;
    if (run.overwrite == OverwritePolicy::OverwriteAll) return false;

    const std::string_view prefix = "Stwierdzono obecność pliku "_cp;
    std::string notice(prefix);
    notice.append(name);
    tui::LogWriteLine(notice, tui::logcolour::Error);
    tui::LogWriteLine(" W-wykonaj kopiownie (zastępując) [A-i wszystkie następne]  "_cp, tui::logcolour::Choice);
    tui::LogWriteLine(" Z-zostaw plik                    [N-i wszystkie następne] ?"_cp, tui::logcolour::Choice);
    tui::LogWrite("---->  Z(n)/W(a)", tui::logcolour::Prompt);
    const char answer = tui::LogWaitForChoice(notice, "ANWZ");
    tui::LogWriteLine();
    if (answer == 'Z' || answer == 'N') {
        const std::string_view kept = "zostawiony plik 2024 "_cp;
        const std::string_view andAllNext = " i wszystkie następne"_cp;
        std::string point(kept);
        point.append(name);
        if (answer == 'N') point.append(andAllNext);
        ReportToCheck(point);
    }

    switch (answer) {
        case 'A':
            run.overwrite = OverwritePolicy::OverwriteAll;
            return false;
        case 'N':
            run.overwrite = OverwritePolicy::KeepAll;
            return true;
        case 'W':
            return false;
        default:  // 'Z'
            return true;
    }
}

bool KeepTarget(std::string_view target) {
    std::uint64_t size = 0;
    if (!SearchFileSize(target, size)) return true;
    return size > 0 && AskOverwrite(target);
}

}  // namespace convert
