#pragma once
// The run's report: a text file in the 2024 root to which every run appends what it
// did, so that it can be read long after the screen has scrolled on. It holds a
// header, every line the progress log showed, whole (those in the error colour and
// those about a point to check marked "! "; a line repeated at once is written once
// with its count), every question with its answer ("? "), each firm's result followed
// by its points to check, and a summary. It is UTF-8 with CR LF line ends, written
// as the run goes in batches of lines (at the latest with each firm's result, an
// error shown or an answer given; the last line is held back until the next one
// shows whether it repeats or is to be checked) and made durable with its header
// and after each firm.
// A report that cannot be written never stops the conversion: it is given up
// quietly and the last screen says so in one line.
// On a full disk its lines wait for room, which the partial file that the failed
// copy removes may give, until the summary.
#include <span>
#include <string>
#include <string_view>

namespace convert {

inline constexpr std::string_view kRunReportName = "qz23-24.LOG";

enum class FirmOutcome {
    Registered,            // converted and entered into the 2024 registry
    RegisteredIncomplete,  // converted with failed files, entered as the user asked
    LeftIncomplete,        // converted with failed files, kept out as the user asked
    NotRegistered,         // converted, but the registry insert failed
    NotConverted,          // the conversion gave the firm up
    NotTaken,              // selected, but not begun: the disk was full
    PassedOver,            // not selected in the picker
    TakenElsewhere,        // being converted, or converted meanwhile, by another workstation
};

// Appends to the report at path, creating it when missing, the date and time of the
// run followed by the header lines (code page 852), makes them durable, and starts
// recording what the progress log shows and the questions ask. An empty path begins
// a run that keeps no report: nothing is recorded and the last screen names none.
void OpenRunReport(std::string_view path, std::span<const std::string> header);
// From here on failures and persons left behind belong to the firm in directory.
void ReportFirmStart(std::string_view directory);
// While a firm that was on its way to the registry is finished, the next firm at
// hand: what the report notes then belongs to the firm finished, and the firm at
// hand has its own again after it.
class ReportFirmFinishing {
public:
    explicit ReportFirmFinishing(std::string_view directory);
    ~ReportFirmFinishing();
    ReportFirmFinishing(const ReportFirmFinishing&) = delete;
    ReportFirmFinishing& operator=(const ReportFirmFinishing&) = delete;

private:
    std::string firmAtHand_;
    std::string lastErrorAtHand_;
};
// The result line of a firm, written to the file; it reaches the disk with the files
// of the next firm the loop writes to the disk (ReportToWriteToDisk), or at the
// summary, so a power cut costs the report at most the lines written since, those of
// one batch of firms registered together (convert/firm/durable_queue.h). A firm not converted is
// given the last error the run showed as its reason; a converted one with failed
// files (their paths) names them, and the summary names those of the firms that
// were registered all the same.
void ReportFirmResult(std::string_view name, std::string_view directory, FirmOutcome outcome,
                      std::span<const std::string> failedFiles = {});
// The report's path when firm results wait to reach the disk, otherwise empty; then
// ReportWrittenToDisk with the result of the flush (a report that cannot be made
// durable is given up, as one that cannot be written).
std::string_view ReportToWriteToDisk();
void ReportWrittenToDisk(int result);
// A person of the firm at hand who stays behind, and why.
void ReportPersonLeft(std::string_view name, std::string_view why);
// A failure reported with its file, as its log line reads; also a point to check.
void ReportFailure(std::string_view line);

// What a point to check is, for the summary's counts.
enum class CheckKind {
    RecordDropped,  // a record of the 2023 data that the 2024 data does not hold
    Other,          // an answer typed by hand, a month not approved, a file that failed, ...
};
// Whether the point has a log line of its own.
enum class CheckLine {
    JustEnded,  // the log line just ended (or the answer just recorded) is about it
    None,       // the log shows nothing about it
};
// A point of the firm at hand that a person should check, in a few words: its log
// line is marked "! " in the report, and the point is listed after the firm's result
// and in the summary; the same point made again in the firm is counted, not repeated.
// The one way for the conversion to note such a point.
void ReportToCheck(std::string_view point, CheckKind kind = CheckKind::Other, CheckLine line = CheckLine::JustEnded);
// A line about the whole run for the summary and the last screen.
void ReportRunNote(std::string_view line);
// Writes the summary (firms, persons left behind, failures, the time the run took),
// closes the report and stops recording.
void CloseRunReport();
// The lines of the last screen: the run's counts and notes, then "Raport przebiegu: "
// and the report's path, or in the error colour the line that says it could not be
// written; none when no report was begun in this run. They come from what the run
// counted, so they are shown whatever happened to the report file.
void ShowRunReport();

}  // namespace convert
