#include "app/paths.h"

#include <algorithm>
#include <cctype>

#include "tui/progress_log.h"
#include "fileio/text_file.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/text_convention.h"

namespace app {

namespace {

using namespace platform::literals;

constexpr std::string_view kPathSection = "[PATHS]";
constexpr std::string_view kKey2023 = "KPR_2023=";
constexpr std::string_view kKey2024 = "KPR_2024=";

std::string WithoutLastCharacter(const std::string& text) {
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

}  // namespace

bool RootsAccepted(const RunPaths& paths) {
    return paths.accepted && paths.accepted->root2023 == paths.root2023 && paths.accepted->root2024 == paths.root2024;
}

bool BeginsWithDrive(std::string_view path) {
    return platform::PathsHaveDriveLetters() && path.size() >= 2 && path[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(path[0]));
}

std::string ProgramBasePath(std::string_view executable) {
    const std::size_t separator = executable.rfind(platform::kSeparator);
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const std::size_t dot = executable.rfind('.');
    if (dot != std::string_view::npos && dot >= nameStart) executable = executable.substr(0, dot);
    return std::string(executable);
}

std::string ProgramDirectory(std::string_view basePath) {
    const std::size_t separator = basePath.rfind(platform::kSeparator);
    if (separator == std::string_view::npos) return {};
    return std::string(basePath.substr(0, separator + 1));
}

RunPaths ProgramPaths(std::string_view executable) {
    RunPaths paths;
    paths.programBase = ProgramBasePath(executable);
    paths.programDirectory = ProgramDirectory(paths.programBase);
    return paths;
}

std::string PathFileName(const RunPaths& paths) { return paths.programBase + ".PTH"; }

std::string ListFileName(const RunPaths& paths) { return paths.programBase + ".LST"; }

namespace {

// The lines of one of the program's own text files, in code page 852; false when
// the file cannot be opened.
bool ReadProgramTextFile(std::string_view fileName, std::vector<std::string>& lines) {
    fileio::TextFileReader reader;
    if (reader.Open(fileName) != 0) return false;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    lines = platform::TextFileLinesIn(std::move(lines));
    return true;
}

}  // namespace

std::vector<std::string> ReadListFile(std::string_view fileName) {
    std::vector<std::string> entries;
    static_cast<void>(ReadProgramTextFile(fileName, entries));
    // The copy checks the names of each entry as cut, so a cut one still cannot
    // leave the firm's directory.
    for (std::string& entry : entries) entry.resize(std::min(entry.size(), kListEntryLength));
    return entries;
}

void SetDefaultRoots(RunPaths& paths, std::string_view firstArgument) {
    paths.root2023 = std::string(1, platform::kSeparator) + "KPR_2023" + platform::kSeparator;
    paths.root2024 = std::string(firstArgument);
    if (paths.root2024.empty()) {
        // The program's directory on the current drive: C:\KPR\2024\ gives \KPR\2024\.
        paths.root2024 = paths.programDirectory;
        if (BeginsWithDrive(paths.root2024)) paths.root2024.erase(0, 2);
    }
}

void ReadPathFile(std::string_view fileName, RunPaths& paths) {
    std::vector<std::string> lines;
    if (!ReadProgramTextFile(fileName, lines)) return;
    tui::LogWriteLine("Ustalenie ścieżek dostępu "_cp);
    for (std::string& line : lines) {
        // A file that went through a text-mode transfer twice ends its lines with more
        // than one CR; no folder name ends with one.
        while (line.ends_with('\r')) line.pop_back();
        if (line.starts_with(kKey2023)) {
            paths.root2023 = line.substr(kKey2023.size()) + platform::kSeparator;
        } else if (line.starts_with(kKey2024)) {
            paths.root2024 = line.substr(kKey2024.size()) + platform::kSeparator;
        }
    }
}

int WritePathFile(std::string_view fileName, const RunPaths& paths) {
    return fileio::WriteTextFile(
        fileName, {
                      std::string(kPathSection),
                      platform::TextFileLineOut(std::string(kKey2023) + WithoutLastCharacter(paths.root2023)),
                      platform::TextFileLineOut(std::string(kKey2024) + WithoutLastCharacter(paths.root2024)),
                  });
}

}  // namespace app
