#include "convert/mark_converted.h"

#include <string>

#include "convert/copy_steps.h"
#include "convert/options.h"
#include "convert/progress_log.h"
#include "platform/cp852.h"
#include "platform/files.h"

using namespace platform::literals;

namespace convert {

void MarkConverted(std::string_view sourcePath) {
    if (!options().renameConverted) return;
    const std::string source(sourcePath);
    const std::string hidden = source + "~";
    if (platform::renameFile(source, hidden) != platform::err::Ok) {
        LogLineIn(logcolour::Error, "Błąd zmiany nazwy pliku "_cp, source);
        return;
    }
    LogWriteLine(std::string("Zmiana nazwy pliku "_cp) + source + " na " + hidden);
}

}  // namespace convert
