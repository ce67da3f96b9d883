#include "convert/firm/mark_converted.h"

#include <string>
#include <utility>
#include <vector>

#include "convert/copying/copy_steps.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"

using namespace platform::literals;

namespace convert {

namespace {
// The files of the firm being converted, from its ledger carry-over until the per-firm
// loop has registered the firm (or given it up).
std::vector<std::string> gConverted;
}  // namespace

void MarkConverted(std::string_view sourcePath) { gConverted.emplace_back(sourcePath); }

std::vector<std::string> TakeConverted() { return std::exchange(gConverted, {}); }

void RenameConverted(std::span<const std::string> sources) {
    for (const std::string& source : sources) {
        const std::string hidden = source + "~";
        if (platform::renameFile(source, hidden) != platform::err::Ok)
            LogFailureLine("Błąd zmiany nazwy pliku "_cp, source);
        else
            tui::LogWriteLine(std::string("Zmiana nazwy pliku "_cp) + source + " na " + hidden);
    }
}

void ForgetConverted() { gConverted.clear(); }

}  // namespace convert
