#pragma once
// The run's report: a text file in the 2024 root to which every run appends what it
// did, so that it can be read long after the screen has scrolled on. It holds a
// header, every line the progress log showed (those in the error colour marked "! "),
// every question with its answer ("? "), each firm's result and a summary. It is
// UTF-8 with CR LF line ends, written as the run goes in batches of lines (at the
// latest with each firm's result, an error shown or an answer given) and made
// durable after each firm. A report that cannot be written never stops the conversion: it is
// given up quietly and the last screen says so in one line.
#include <span>
#include <string>
#include <string_view>

namespace convert {

inline constexpr std::string_view kRunReportName = "qz23-24.LOG";

enum class FirmOutcome {
    Registered,     // converted and entered into the 2024 registry
    NotRegistered,  // converted, but the registry insert failed
    NotConverted,   // the conversion gave the firm up
    PassedOver,     // not selected in the picker
    TakenElsewhere, // being converted, or converted meanwhile, by another workstation
};

// Appends to the report at path, creating it when missing, the date and time of the
// run followed by the header lines (code page 852), and starts recording what the
// progress log shows and the questions ask.
void OpenRunReport(std::string_view path, std::span<const std::string> header);
// From here on failures and persons left behind belong to the firm in directory.
void ReportFirmStart(std::string_view directory);
// The result line of a firm, and the report made durable. A firm not converted is
// given the last error the run showed as its reason.
void ReportFirmResult(std::string_view name, std::string_view directory, FirmOutcome outcome);
// A person of the firm at hand who stays behind, and why.
void ReportPersonLeft(std::string_view name, std::string_view why);
// A failure reported with its file, as its log line reads.
void ReportFailure(std::string_view line);
// Writes the summary (firms, persons left behind, failures, the time the run took),
// closes the report and stops recording.
void CloseRunReport();
// The line of the last screen: "Raport przebiegu: " and the report's path, or in the
// error colour the line that says it could not be written; none when no report was
// begun in this run.
void ShowRunReport();

}  // namespace convert
