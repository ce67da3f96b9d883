#include "convert/firm/mark_converted.h"

#include "convert/copying/copy_steps.h"
#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"

using namespace platform::literals;

namespace convert {

void ConvertedFiles::Rename() {
    for (const std::string& source : files_) {
        const std::string hidden = source + "~";
        if (platform::RenameFile(source, hidden) != platform::err::Ok)
            LogFailureLine("Błąd zmiany nazwy pliku "_cp, source);
        else
            tui::LogWriteLine(std::string("Zmiana nazwy pliku "_cp) + source + " na " + hidden);
    }
    files_.clear();
}

}  // namespace convert
