#include "convert/copying/copy_steps.h"

#include <string>

#include "convert/firm/firm_failures.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "convert/run_state.h"
#include "platform/cp852.h"
#include "tui/failure_reason.h"

namespace convert {

namespace {
using namespace platform::literals;
}  // namespace

void SetTargetNotice(TargetNotice notice) { TheRunState().targetNotice = std::move(notice); }

bool NoticeTarget(std::string_view target) {
    const TargetNotice& notice = TheRunState().targetNotice;
    return !notice || notice(target);
}

void LogLineIn(tui::Attribute colour, std::string_view text, std::string_view name) {
    tui::LogWriteLine(std::string(text).append(name), colour);
}

std::string LogFailureLine(std::string_view text, std::string_view name, bool asks) {
    std::string reason = tui::TakeFailureReason();
    const auto line = asks ? tui::LogWriteLine : tui::LogNoticeLine;
    line(std::string(text).append(name), tui::logcolour::Error);
    if (!reason.empty()) line(reason, tui::logcolour::Error);
    return reason;
}

void ReportError(std::string_view text, std::string_view name, int error) {
    NoteFailure(name, error);
    // A full disk stops the firm without a key: the box at the firm's end is its wait,
    // and the firms on their way are registered there, once the partial file is gone.
    const bool waits = !FirmStopped();
    const std::string reason = LogFailureLine(text, name, waits);
    ReportFailure(std::string(text).append(name).append(reason.empty() ? "" : " - ").append(reason));
    if (waits) tui::LogWaitForKey();
}

bool OpenCopySource(std::string_view path, platform::FileHandle& file) {
    if (platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) == platform::err::Ok)
        return true;
    ReportError("Błąd otwarcia pliku "_cp, path);
    return false;
}

namespace {

int OpenAtEnd(std::string_view path, platform::FileHandle& file) {
    std::uint64_t size = 0;
    int result = platform::OpenSharedFile(path, platform::mode::WriteOnly | platform::mode::DenyNone, file);
    if (result == platform::err::Ok) result = platform::FileSize(file, size);
    if (result == platform::err::Ok) result = platform::SeekFile(file, size);
    return result;
}

}  // namespace

bool OpenCopyTarget(std::string_view path, bool append, platform::FileHandle& file) {
    if (!NoticeTarget(path)) return false;
    const int opened = append ? OpenAtEnd(path, file) : platform::CreateOrTruncateFile(path, file);
    if (opened == platform::err::Ok) return true;
    if (file.IsOpen()) platform::CloseFile(file);
    ReportError("Błąd Utworzenia pliku "_cp, path, opened);
    return false;
}

bool CloseCopyFiles(platform::FileHandle& source, std::string_view sourcePath, platform::FileHandle& target,
                    std::string_view targetPath) {
    if (platform::CloseFile(source) != platform::err::Ok) ReportError("Błąd zamknięcia zbioru "_cp, sourcePath);
    const int closed = platform::CloseFile(target);
    if (closed == platform::err::Ok) return true;
    ReportError("Błąd zamknięcia zbioru "_cp, targetPath, closed);
    return false;
}

void DiscardCopyTarget(std::string_view path) {
    if (platform::RemoveFile(path) != platform::err::Ok) ReportError("Nie usunięto niepełnego pliku "_cp, path);
}

}  // namespace convert
