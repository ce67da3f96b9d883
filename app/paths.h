#pragma once
// Where the converter works: the 2023 and 2024 data roots, settled at start-up from
// built-in defaults, the command line and the path file beside the executable, and
// the list file of extra per-firm files. Nothing here touches the data trees.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The most a root may hold: page 1 edits roots of this length and no longer.
inline constexpr std::size_t kMaxRootLength = 255;
// The significant characters of a line of the list file: the bookkeeping program's
// own list entries are no longer.
inline constexpr std::size_t kListEntryLength = 25;

// The two roots as page 1 let them pass.
struct AcceptedRoots {
    std::string root2023;
    std::string root2024;
};

struct RunPaths {
    std::string root2023;          // ends with the separator once checked
    std::string root2024;          // ends with the separator once checked, unless empty
    std::string programBase;       // the executable's full path without its extension
    std::string programDirectory;  // programBase up to its last separator, or empty
    std::optional<AcceptedRoots> accepted;  // none until page 1 lets the roots pass
};

// True when page 1 has let the roots pass as they stand now (not edited since).
bool RootsAccepted(const RunPaths& paths);

// "C:" at the start of a path, where paths have drive letters.
bool BeginsWithDrive(std::string_view path);

// The executable's path with the extension of its file name removed; a "." in a
// directory name is not an extension.
std::string ProgramBasePath(std::string_view executable);
// The base path up to and including its last separator; empty when it has none.
std::string ProgramDirectory(std::string_view basePath);
// Run paths with the program's base path and directory filled in; no roots yet.
RunPaths ProgramPaths(std::string_view executable);

// The path file and the list file: the base path with ".PTH" and ".LST".
std::string PathFileName(const RunPaths& paths);
std::string ListFileName(const RunPaths& paths);

// The extra files: one entry per line, in order, each cut to its first 25 characters
// (in "a>b" the cut may fall in the second name); empty lines give empty entries.
// Empty when the file cannot be opened.
std::vector<std::string> ReadListFile(std::string_view fileName);

// The 2023 root: separator, "KPR_2023", separator. The 2024 root: the first argument
// as given, else the program directory (without its drive letter where paths have one).
void SetDefaultRoots(RunPaths& paths, std::string_view firstArgument);

// Applies the path file's lines "KPR_2023=" and "KPR_2024=" (exact case; a later
// line wins): the root becomes the rest of the line and a separator. A file that
// cannot be opened leaves the roots as they are. Writes a progress log line when the
// file opens.
void ReadPathFile(std::string_view fileName, RunPaths& paths);

// Writes "[PATHS]" and the two roots without their last character, so that a root
// ending with the separator survives a write and a read. Returns 0 or the error
// code; page 1 of the wizard ignores a failure, as the file is only a convenience.
int WritePathFile(std::string_view fileName, const RunPaths& paths);

}  // namespace app
