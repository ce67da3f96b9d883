#pragma once
// The failures of the firm being converted: the files of its 2024 directory that the
// run meant to write and did not write whole (a 2023 file that exists but cannot be
// read counts against the 2024 file made from it). Every failure that the log reports
// with ReportError is noted here too, so the end of the firm knows whether the firm is
// complete; one that is not goes into the 2024 registry only when the user says so. A
// write that finds the disk or the quota full ends the firm at once, and the run.
#include <span>
#include <string>
#include <string_view>

namespace convert {

// A firm's conversion begins: no failures, no full disk, and from now on every
// failure reported counts against the firm.
void StartFirmFailures();
// The firm's conversion is over: later failures (the registry's) count against no
// firm. What the firm met stays readable until the next firm begins.
void EndFirmFailures();

// While a step makes one file of the firm's 2024 directory, the file in hand: every
// failure reported meanwhile counts against it, once, whatever file the message
// names (a read error names none, a source that cannot be opened the 2023 file).
// The innermost one counts.
class FileInHand {
public:
    explicit FileInHand(std::string_view path);
    ~FileInHand();
    FileInHand(const FileInHand&) = delete;
    FileInHand& operator=(const FileInHand&) = delete;

private:
    std::string outer_;
};

// A failure of path (or of the file in hand) with the home error number behind it,
// 0 when no system call failed; DiskFull ends the firm.
void NoteFailure(std::string_view path, int error);
// The firm's failed files, each once, in the order they failed.
std::span<const std::string> FailedFiles();
bool HasFailed(std::string_view path);
// The firm at hand met a full disk: every later step of it does nothing.
bool FirmStopped();
// The last firm met a full disk: the run takes no further firm.
bool DiskFullMet();

// The end of a firm whose items all ran: true when it is complete, or when the user,
// shown its failed files in the log, says it is registered all the same ("N", or a
// run stopped at the question, keeps it out: the next run redoes it).
bool AcceptFirm(std::string_view name);
// The firm ran through to AcceptFirm with failed files: the question was put.
bool FirmWasIncomplete();

}  // namespace convert
