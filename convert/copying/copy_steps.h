#pragma once
// The steps that the copies share: the log lines around a copy, opening the source
// and the target with their error reports, and closing both.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "tui/colours.h"

namespace convert {

// Writes text and name as one log line in colour; normal text follows.
void LogLineIn(tui::Attribute colour, std::string_view text, std::string_view name = {});
// An error line after a failed file operation, followed by a line in the error
// colour with the reason the system gave, when it gave one (tui/failure_reason.h).
// Returns that reason line, empty when none. Lines that no wait follows (asks false)
// leave the work due before a question to the wait that comes later.
std::string LogFailureLine(std::string_view text, std::string_view name = {}, bool asks = true);
// LogFailureLine, the failure kept for the report, and a wait for a key; within a
// firm the failure counts against it (convert/firm_failures.h). error is the home
// error number of the system call that failed, if one did: a full disk ends the
// firm, whose end says so in a box that waits instead.
void ReportError(std::string_view text, std::string_view name = {}, int error = platform::err::Ok);

// Called with the path of every target that a copy is about to create, empty or add
// to; a false result (reported by the callee) keeps the copy off the target. None is
// set at start; the global copy sets one to note its targets in its mark.
using TargetNotice = std::function<bool(std::string_view target)>;
void SetTargetNotice(TargetNotice notice);
// What the notice set says of the target; true without one.
bool NoticeTarget(std::string_view target);

// Opens the source for reading, shared with every other user. On failure reports
// "Błąd otwarcia pliku " with a key wait.
bool OpenCopySource(std::string_view path, platform::FileHandle& file);
// Creates (or empties) the target, or opens it for writing at its end to append,
// once the target notice has agreed. On failure reports "Błąd Utworzenia pliku "
// with a key wait.
bool OpenCopyTarget(std::string_view path, bool append, platform::FileHandle& file);
// Closes the source, then the target, reporting each failure with a key wait.
// False when the target did not close: what was written may not be on the disk.
bool CloseCopyFiles(platform::FileHandle& source, std::string_view sourcePath, platform::FileHandle& target,
                    std::string_view targetPath);
// Removes the (closed) target of a copy that failed after creating it, so that no
// half-copied file is left looking whole; a target that cannot be removed is
// reported with a key wait.
void DiscardCopyTarget(std::string_view path);

}  // namespace convert
