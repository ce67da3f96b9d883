// The byte-for-byte copy.
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
}  // namespace

bool CopyBlocks(std::string_view source, std::string_view target) {
    const FileInHand inHand(target);
    if (FirmStopped()) return false;
    const std::uint64_t size = ProbeFileSize(source);
    if (size == 0) return true;
    if (KeepTarget(target)) return true;

    platform::FileHandle from;
    if (!OpenCopySource(source, from)) return false;
    platform::FileHandle to;
    if (!OpenCopyTarget(target, false, to)) return false;
    std::string what(source);
    what += "  " + std::to_string(size);
    what += " bytów..."_cp;
    LogLineIn(tui::logcolour::CopyStart, "Kopiuję "_cp, what);

    bool copied = true;
    std::vector<std::uint8_t> block(kCopyBufferSize);
    for (;;) {
        std::size_t got = 0;
        if (platform::ReadFromFile(from, block.data(), block.size(), got) != platform::err::Ok) {
            ReportError("Błąd odczytu danych"_cp);
            copied = false;
            break;
        }
        if (got == 0) break;
        std::size_t put = 0;
        if (const int written = platform::WriteToFile(to, block.data(), got, put); written != platform::err::Ok) {
            ReportError("Błąd zapisu danych"_cp, {}, written);
            copied = false;
            break;
        }
        if (got < block.size()) break;  // the end of the source
    }
    copied = CloseCopyFiles(from, source, to, target) && copied;
    if (!copied) DiscardCopyTarget(target);
    tui::LogPause();
    return copied;
}

}  // namespace convert
