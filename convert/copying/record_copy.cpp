// The two record copies: through a filter, and through a converter.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "convert/copying/copy_buffers.h"
#include "convert/copying/copy_steps.h"
#include "convert/copying/file_copy.h"
#include "convert/copying/file_size.h"
#include "convert/firm/firm_failures.h"
#include "convert/copying/overwrite.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"

namespace convert {

namespace {

using namespace platform::literals;

void ReportMissingSource(std::string_view source) {
    tui::LogNoticeLine(std::string("Brak pliku źródłowego "_cp).append(source), tui::logcolour::Choice);
    tui::LogPause();
}

// Settles what to do with an existing target (add to it when existing says so, else the
// overwrite question) and opens both files. False when the target is kept, cannot
// be looked up (it may hold entries that a new file would throw away) or a file
// did not open.
bool OpenRecordFiles(std::string_view source, std::string_view target, platform::FileHandle& from,
                     platform::FileHandle& to, ExistingTarget existing, bool& append) {
    append = false;
    std::uint64_t targetSize = 0;
    if (!SearchFileSize(target, targetSize)) return false;
    if (targetSize > 0) {
        if (existing == ExistingTarget::Append)
            append = true;
        else if (AskOverwrite(target))
            return false;
    }
    return OpenCopySource(source, from) && OpenCopyTarget(target, append, to);
}

void LogStart(std::string_view source, std::uint64_t size, std::uint16_t recordSize) {
    std::string what(source);
    what += "  " + std::to_string(recordSize == 0 ? 0 : size / recordSize) + " pozycji ...";
    LogLineIn(tui::logcolour::CopyStart, "Kopiuje ", what);
}

// Reads the next record. A short last record is padded with zero bytes, so that
// the filter or the converter never sees bytes of the record before it. done is 0
// at the end of the file.
bool ReadRecord(BufferedReader& reader, std::vector<std::uint8_t>& record, std::size_t& done) {
    if (reader.Read(record.data(), record.size(), done) != platform::err::Ok) {
        ReportError("Błąd odczytu danych"_cp);
        return false;
    }
    std::fill(record.begin() + static_cast<std::ptrdiff_t>(done), record.end(), std::uint8_t{0});
    return true;
}

bool WriteRecord(BufferedWriter& writer, const std::uint8_t* data, std::size_t size) {
    const int written = writer.Write(data, size);
    if (written == platform::err::Ok) return true;
    ReportError("Błąd zapisu danych"_cp, {}, written);
    return false;
}

// Writes out what is still buffered and closes both files. False when anything of
// the copy failed; a target made by the copy is then removed. What a failed copy
// appended to an existing target stays (reported), as the records before it do.
bool FinishRecordCopy(BufferedWriter& writer, bool copied, platform::FileHandle& from, std::string_view source,
                      platform::FileHandle& to, std::string_view target, bool append) {
    if (const int flushed = copied ? writer.Flush() : platform::err::Ok; flushed != platform::err::Ok) {
        ReportError("Błąd zapisu danych"_cp, {}, flushed);
        copied = false;
    }
    copied = CloseCopyFiles(from, source, to, target) && copied;
    if (!copied && !append) DiscardCopyTarget(target);
    tui::LogPause();
    return copied;
}

}  // namespace

bool CopyWholeRecord(std::span<std::uint8_t> source, std::span<std::uint8_t> target) {
    std::memcpy(target.data(), source.data(), std::min(source.size(), target.size()));
    return true;
}

bool CopyRecords(std::string_view source, std::string_view target, std::uint16_t recordSize,
                 const RecordFilter& filter, ExistingTarget existing) {
    const FileInHand inHand(target);
    if (FirmStopped()) return false;
    const std::uint64_t size = ProbeFileSize(source);
    if (size == 0) {
        ReportMissingSource(source);
        return true;
    }
    platform::FileHandle from;
    platform::FileHandle to;
    bool append = false;
    if (!OpenRecordFiles(source, target, from, to, existing, append)) return false;
    std::vector<std::uint8_t> record(recordSize);
    LogStart(source, size, recordSize);

    BufferedReader reader(from);
    BufferedWriter writer(to);
    bool copied = true;
    for (;;) {
        std::size_t done = 0;
        copied = ReadRecord(reader, record, done);
        if (!copied || done == 0) break;
        if (filter && !filter(record)) continue;
        copied = WriteRecord(writer, record.data(), done);
        if (!copied) break;
    }
    return FinishRecordCopy(writer, copied, from, source, to, target, append);
}

bool ConvertRecords(std::string_view source, std::string_view target, std::uint16_t sourceSize,
                    std::uint16_t targetSize, const RecordConverter& converter, ExistingTarget existing) {
    const FileInHand inHand(target);
    if (FirmStopped()) return false;
    const std::uint64_t size = ProbeFileSize(source);
    if (size == 0) {
        ReportMissingSource(source);
        return true;
    }
    platform::FileHandle from;
    platform::FileHandle to;
    bool append = false;
    if (!OpenRecordFiles(source, target, from, to, existing, append)) return false;
    std::vector<std::uint8_t> sourceRecord(sourceSize);
    std::vector<std::uint8_t> targetRecord(targetSize);
    LogStart(source, size, sourceSize);
    tui::LogPause();

    BufferedReader reader(from);
    BufferedWriter writer(to);
    bool copied = true;
    for (;;) {
        std::size_t done = 0;
        copied = ReadRecord(reader, sourceRecord, done);
        if (!copied || done == 0) break;
        if (!converter) continue;
        std::fill(targetRecord.begin(), targetRecord.end(), std::uint8_t{0});
        if (!converter(sourceRecord, targetRecord)) continue;
        copied = WriteRecord(writer, targetRecord.data(), targetRecord.size());
        if (!copied) break;
    }
    return FinishRecordCopy(writer, copied, from, source, to, target, append);
}

}  // namespace convert
