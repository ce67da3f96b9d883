#include "convert/overwrite.h"

#include <string>

#include "convert/file_size.h"
#include "convert/progress_log.h"
#include "convert/run_report.h"
#include "platform/cp852.h"

namespace convert {

namespace {

using namespace platform::literals;

OverwritePolicy gPolicy = OverwritePolicy::Ask;
UnaskedRewrite gUnaskedRewrite;

}  // namespace

OverwritePolicy CurrentOverwritePolicy() { return gPolicy; }

void SetUnaskedRewrite(UnaskedRewrite rule) { gUnaskedRewrite = std::move(rule); }

bool AskOverwrite(std::string_view name) {
    if (gUnaskedRewrite && gUnaskedRewrite(name)) return false;
    if (gPolicy == OverwritePolicy::KeepAll) return true;
    if (gPolicy == OverwritePolicy::OverwriteAll) return false;

    const std::string_view prefix = "Stwierdzono obecność pliku "_cp;
    std::string notice(prefix);
    notice.append(name);
    SetLogColour(logcolour::Error);
    LogWriteLine(notice);
    SetLogColour(logcolour::Choice);
    LogWriteLine(" W-wykonaj kopiownie (zastępując) [A-i wszystkie następne]  "_cp);
    SetLogColour(logcolour::Choice);  // a colour holds for one write
    LogWriteLine(" Z-zostaw plik                    [N-i wszystkie następne] ?"_cp);
    SetLogColour(logcolour::Prompt);
    LogWrite("---->  Z(n)/W(a)");
    const char answer = LogWaitForChoice(notice, "ANWZ");
    SetLogColour(logcolour::Normal);
    LogWriteLine();
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
            gPolicy = OverwritePolicy::OverwriteAll;
            return false;
        case 'N':
            gPolicy = OverwritePolicy::KeepAll;
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

void ResetOverwritePolicyForTests() { gPolicy = OverwritePolicy::Ask; }

}  // namespace convert
