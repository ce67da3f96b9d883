#include "fileio/temp_files.h"

#include <cstdint>
#include <cstdio>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/random.h"

namespace fileio {

namespace {

// Settled once at start-up from the installation's environment, which holds for the
// whole process.
std::string gTempDir;

// The variables an installation may set, in order of precedence.
constexpr const char* kTempVariables[] = {"qzTEMP", "RIZARO", "TEMP", "TMP"};

// The random part of a name is drawn below this.
constexpr std::uint32_t kNameNumberRange = 32767;

bool NamesDirectory(const std::string& path) {
    if (path.empty()) return false;
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    constexpr std::uint8_t everyKindButLabels = platform::attr::AnyFile & ~platform::attr::VolumeId;
    return search.First(path, everyKindButLabels, entry) == platform::err::Ok &&
           (entry.attributes & platform::attr::Directory) != 0;
}

}  // namespace

void InitTempDir() {
    for (const char* variable : kTempVariables) {
        const std::string value = platform::Environment(variable).value_or("");
        if (NamesDirectory(value)) {
            gTempDir = value;
            return;
        }
    }
    gTempDir = platform::CurrentDirectory();
}

const std::string& TempDir() { return gTempDir; }

std::string UniqueName(std::string_view directory, std::string_view extension) {
    std::string prefix(directory.empty() ? std::string_view(gTempDir) : directory);
    if (prefix.empty() || prefix.back() != platform::kSeparator) prefix += platform::kSeparator;
    prefix += "~qz";

    platform::SeedRandom(platform::InstalledClock().TickMs());
    std::uint32_t number = platform::RandomBelow(kNameNumberRange);
    for (;;) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(number));
        std::string name = prefix + digits + std::string(extension);
        // Any entry takes the name, whatever its kind. A look-up that fails offers the
        // name all the same: the create that follows is exclusive and reports it.
        if (platform::FindEntry(name) != platform::err::Ok) return name;
        ++number;
    }
}

std::string TempName(std::string_view directory) { return UniqueName(directory, ".tmp"); }

}  // namespace fileio
