#include "tui/colour_file.h"

#include <string>

#include "platform/files.h"

namespace tui {

bool ReadColourFile(std::string_view directory, ColourScheme& scheme) {
    const std::string path = std::string(directory) + "kolory.qz";
    platform::FileHandle file;
    if (platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) != platform::err::Ok)
        return false;
    ColourScheme read{};
    std::size_t done = 0;
    const bool whole = platform::ReadFromFile(file, read.data(), read.size(), done) == platform::err::Ok &&
                       done == read.size();
    // The file was only read: a failed close loses nothing.
    static_cast<void>(platform::CloseFile(file));
    scheme = whole ? read : kDefaultColours;
    return true;
}

void LoadColours(std::string_view programDirectory) {
    ColourScheme scheme;
    if (ReadColourFile(programDirectory, scheme)) RestoreColours(scheme);
}

}  // namespace tui
