#pragma once
// What the sample tree holds: its seed, its size and its profile.
#include <cstdint>
#include <string>
#include <vector>

namespace qzsample {

enum class Profile {
    // Every case the converter meets in real trees, including those that make it ask
    // the user (both years' annual settings, a missing VAT proportion, December not
    // approved, kept 2024 files beside 2023 ones, records of persons who are gone).
    Full,
    // No file or field that makes the converter ask anything or wait for a key, with
    // the default options or with staff carried "zatrudnionych na 31.12.2023":
    // for unattended runs and benchmarks.
    Quiet,
};

struct SampleOptions {
    std::uint64_t seed = 2023;
    int firms = 8;
    int entriesPerMonth = 20;
    int personsPerFirm = 12;
    Profile profile = Profile::Full;
    std::string outputDirectory;
};

inline constexpr int kMaxFirms = 2048;           // the converter's firm table
inline constexpr int kMaxPersonsPerFirm = 2000;  // below the converter's person key table
inline constexpr int kMaxEntriesPerMonth = 10000;

// Reads the command line (without the program name). False with a message in error
// when it is not usable; help is set for --help.
bool parseSampleOptions(const std::vector<std::string>& args, SampleOptions& options, bool& help,
                        std::string& error);

extern const char* const kSampleUsage;

}  // namespace qzsample
