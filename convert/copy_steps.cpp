#include "convert/copy_steps.h"

#include <string>

#include "convert/progress_log.h"
#include "convert/run_report.h"
#include "platform/cp852.h"

namespace convert {

namespace {
using namespace platform::literals;

TargetNotice gTargetNotice;
}  // namespace

void SetTargetNotice(TargetNotice notice) { gTargetNotice = std::move(notice); }

bool NoticeTarget(std::string_view target) { return !gTargetNotice || gTargetNotice(target); }

void LogLineIn(tui::Attribute colour, std::string_view text, std::string_view name) {
    SetLogColour(colour);
    LogWriteLine(std::string(text).append(name));
    SetLogColour(logcolour::Normal);
}

void ReportError(std::string_view text, std::string_view name) {
    ReportFailure(std::string(text).append(name));
    LogLineIn(logcolour::Error, text, name);
    LogWaitForKey();
}

bool OpenCopySource(std::string_view path, platform::FileHandle& file) {
    if (platform::openFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) == platform::err::Ok)
        return true;
    ReportError("Błąd otwarcia pliku "_cp, path);
    return false;
}

namespace {

bool openAtEnd(std::string_view path, platform::FileHandle& file) {
    std::uint64_t size = 0;
    return platform::openFile(path, platform::mode::WriteOnly | platform::mode::DenyNone, file) == platform::err::Ok &&
           platform::fileSize(file, size) == platform::err::Ok && platform::seekFile(file, size) == platform::err::Ok;
}

}  // namespace

bool OpenCopyTarget(std::string_view path, bool append, platform::FileHandle& file) {
    if (!NoticeTarget(path)) return false;
    if (append ? openAtEnd(path, file) : platform::createFile(path, file) == platform::err::Ok) return true;
    if (file.isOpen()) platform::closeFile(file);
    ReportError("Błąd Utworzenia pliku "_cp, path);
    return false;
}

bool CloseCopyFiles(platform::FileHandle& source, std::string_view sourcePath, platform::FileHandle& target,
                    std::string_view targetPath) {
    if (platform::closeFile(source) != platform::err::Ok) ReportError("Błąd zamknięcia zbioru "_cp, sourcePath);
    if (platform::closeFile(target) == platform::err::Ok) return true;
    ReportError("Błąd zamknięcia zbioru "_cp, targetPath);
    return false;
}

void DiscardCopyTarget(std::string_view path) {
    if (platform::removeFile(path) != platform::err::Ok) ReportError("Nie usunięto niepełnego pliku "_cp, path);
}

}  // namespace convert
