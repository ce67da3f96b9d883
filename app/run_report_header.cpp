#include "app/run_report_header.h"

#include <span>

#include "app/page_labels.h"
#include "app/path_check.h"
#include "convert/options.h"
#include "convert/report/run_report.h"
#include "product/environment.h"

namespace app {

namespace {

// The label with its padding gone: runs of blanks become one, none at the ends.
std::string Words(std::string_view label) {
    std::string words;
    for (const char c : label) {
        if (c == ' ' && (words.empty() || words.back() == ' ')) continue;
        words += c;
    }
    if (!words.empty() && words.back() == ' ') words.pop_back();
    return words;
}

// The labels of the set's bits in box order; the separator line is no choice.
std::string Chosen(std::span<const std::string_view> labels, std::uint16_t set) {
    std::string chosen;
    for (std::size_t bit = 0; bit < labels.size(); ++bit) {
        if ((set & (1u << bit)) == 0 || labels[bit] == "-") continue;
        if (!chosen.empty()) chosen += "; ";
        chosen += Words(labels[bit]);
    }
    return chosen.empty() ? "(nic)" : chosen;
}

// The label of a radio group's choice.
template <typename Choice>
std::string Selected(std::span<const std::string_view> labels, Choice value) {
    const auto index = static_cast<std::size_t>(value);
    return index < labels.size() ? Words(labels[index]) : std::to_string(index);
}

std::string YesNo(bool value) { return value ? "tak" : "nie"; }

// "caption: value", the caption's own colon kept where it has one.
std::string Line(std::string_view caption, std::string_view value) {
    std::string line = Words(caption);
    if (line.empty() || line.back() != ':') line += ':';
    return line + " " + std::string(value);
}

}  // namespace

std::vector<std::string> RunReportHeader(const Run& run) {
    const convert::Options& options = run.options;
    std::string scope = Chosen(labels::kScope, options.copyScope);
    if (options.Has(options.copyScope, convert::scope::GlobalData))
        scope.insert(Words(labels::kScope[0]).size(), " " + options.globalSourceDir);
    return {
        Line("Program", Words(VersionLine())),
        Line("Katalog danych 2023", run.paths.root2023),
        Line("Katalog danych 2024", run.paths.root2024),
        Line("Rejestr firm", product::RegistryFileName()),
        Line(labels::kScopeCaption, scope),
        Line("Dane globalne", Chosen(labels::kGlobalItems, options.globalItems)),
        Line("Dane firmowe", Chosen(labels::kFirmItems, options.firmItems)),
        Line(labels::kStaffCaption, Selected(labels::kStaffSelections, options.staffSelection)),
        Line(labels::kPitDCaption, Selected(labels::kPitDSelections, options.pitDSelection)),
        Line(labels::kEntriesCaption, Chosen(labels::kEntries, options.entries2024)),
        Line(labels::kAddOnsCaption, Chosen(labels::kAddOns, options.addOns)),
        Line(labels::kRenameConverted, YesNo(options.renameConverted)),
        Line(labels::kStopAfterEachFirm, YesNo(options.stopAfterEachFirm)),
        Line(labels::kDecemberWarning, YesNo(options.decemberWarning)),
        Line(labels::kSlowMode, YesNo(options.slowMode)),
    };
}

void BeginRunReport(const Run& run) {
    // A root page 1 has not let pass may be any directory, the 2023 root in another
    // spelling among them; and the report never goes into the 2023 tree, where the
    // only change the program may make is the renaming of converted files.
    if (!RootsAccepted(run.paths) || LiesIn2023Tree(run.paths)) {
        convert::OpenRunReport({}, {});
        return;
    }
    convert::OpenRunReport(run.paths.root2024 + std::string(convert::kRunReportName), RunReportHeader(run));
}

}  // namespace app
