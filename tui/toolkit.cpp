#include "tui/toolkit.h"

#include "platform/files.h"
#include "tui/colour_file.h"
#include "tui/screen.h"
#include "tui/tones.h"

namespace tui {

void InitToolkit() {
    InitScreen();
    LoadColours(DirectoryOf(platform::ExecutablePath()));
    CopyControlColours();
    SoundInit();
}

std::string DirectoryOf(std::string_view path) {
    const auto last = path.find_last_of(platform::kSeparator);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

}  // namespace tui
