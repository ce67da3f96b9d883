// The line-by-line copy of text files.
#include <string>

#include "convert/copying/copy_buffers.h"
#include "convert/copying/copy_steps.h"
#include "convert/copying/file_copy.h"
#include "convert/copying/file_size.h"
#include "convert/firm/firm_failures.h"
#include "convert/copying/overwrite.h"
#include "tui/progress_log.h"
#include "fileio/text_file.h"
#include "platform/cp852.h"

namespace convert {

namespace {

using namespace platform::literals;

// The product's text files end their lines this way on every platform.
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void CopyTextFile(std::string_view source, std::string_view target, const LineFilter& filter) {
    const FileInHand inHand(target);
    if (FirmStopped() || !FileIsPresent(source)) return;
    fileio::TextFileReader reader;
    // A Ctrl+Z inside a firm's notes is text like any other: everything after it
    // is copied too.
    if (reader.Open(source, fileio::TextEnd::EndOfFile) != platform::err::Ok) {
        ReportError("Błąd otwarcia pliku "_cp, source);
        return;
    }
    if (KeepTarget(target) || !NoticeTarget(target)) return;
    platform::FileHandle to;
    if (const int created = platform::CreateOrTruncateFile(target, to); created != platform::err::Ok) {
        ReportError("Błąd utworzenia pliku "_cp, target, created);
        return;
    }
    LogLineIn(tui::logcolour::CopyStart, "Kopiuję plik "_cp, source);

    // A read or write error stops the copy; it is reported with a key wait, and the
    // part already written goes, so that no half-copied file looks whole.
    BufferedWriter writer(to);
    int written = platform::err::Ok;
    std::string line;
    while (reader.ReadLine(line)) {
        if (filter && !filter(line)) continue;
        line += kLineEnd;
        written = writer.Write(line.data(), line.size());
        if (written != platform::err::Ok) break;
    }
    const bool read = reader.Error() == platform::err::Ok;
    if (!read) ReportError("Błąd odczytu z pliku "_cp, source);
    // The target is closed whatever went before, so that it can be removed; the
    // first failure is the one reported.
    if (written == platform::err::Ok) written = writer.Flush();
    if (const int closed = platform::CloseFile(to); written == platform::err::Ok) written = closed;
    if (written != platform::err::Ok) ReportError("Błąd zapisu do pliku "_cp, target, written);
    if (!read || written != platform::err::Ok) DiscardCopyTarget(target);
}

}  // namespace convert
