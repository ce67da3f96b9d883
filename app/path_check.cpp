#include "app/path_check.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "convert/copying/file_size.h"
#include "fileio/message_lines.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "product/environment.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"
#include "tui/polish_text.h"

namespace app {

namespace {

using namespace platform::literals;

// Appends the separator when the root lacks it; true when it did.
bool CompleteRoot(std::string& root) {
    if (!root.empty() && root.back() == platform::kSeparator) return false;
    root += platform::kSeparator;
    return true;
}

// A root whose existence is not tested: the single separator, and where paths have
// drive letters any root of up to three characters (C:\, C:, \A\).
bool IsDriveRoot(const std::string& root) {
    if (platform::PathsHaveDriveLetters()) return root.size() <= 3;
    return root.size() == 1;
}

// The lines of a box message, each centred when asked.
std::string Message(std::initializer_list<std::string_view> lines, bool centred) {
    std::string text;
    for (std::string_view line : lines) {
        if (!text.empty()) text += tui::kLineEnd;
        if (centred) text += tui::kCentre;
        text += line;
    }
    return text;
}

bool IsSeparator(char c) { return c == platform::kSeparator || (platform::PathsHaveDriveLetters() && c == '/'); }

// The root with what it leaves to the current directory, or to the current drive,
// written out.
std::string MadeWhole(std::string_view root) {
    const std::string current = platform::CurrentDirectory();
    if (root.empty() || (!IsSeparator(root.front()) && !BeginsWithDrive(root))) return current + std::string(root);
    const bool networkName = root.size() > 1 && IsSeparator(root[1]);
    if (platform::PathsHaveDriveLetters() && IsSeparator(root.front()) && !networkName && BeginsWithDrive(current))
        return current.substr(0, 2) + std::string(root);
    return std::string(root);
}

// A path on box lines of the room a box has, its end kept when it needs more lines.
std::vector<std::string> PathLines(std::string_view path) {
    constexpr std::size_t kRoom = 38;
    constexpr std::size_t kLines = 2;
    constexpr std::string_view kCut = "...";
    std::string text(path);
    if (text.size() > kRoom * kLines)
        text = std::string(kCut) + text.substr(text.size() - (kRoom * kLines - kCut.size()));
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size(); start += kRoom) lines.push_back(text.substr(start, kRoom));
    return lines;
}

// Whether a file can be made in the 2024 root: a small probe file is created and
// removed again. False with the failure recorded for its reason.
bool CanWriteIn(const std::string& root) {
    platform::FileHandle probe;
    const std::string path = root + "qz23-24.$$$";
    if (platform::CreateOrTruncateFile(path, probe) != platform::err::Ok) return false;
    return platform::CloseFile(probe) == platform::err::Ok && platform::RemoveFile(path) == platform::err::Ok;
}

}  // namespace

std::string OneSpelling(std::string_view root) {
    const std::string whole = MadeWhole(root);
    // Where paths have drive letters, a network name keeps the two separators it
    // begins with.
    const std::size_t kept = platform::PathsHaveDriveLetters() ? 2 : 1;
    std::string spelt;
    for (const char c : whole) {
        const bool separator = IsSeparator(c);
        if (separator && spelt.size() >= kept && spelt.back() == platform::kSeparator) continue;
        spelt += separator ? platform::kSeparator : c;
    }
    if (spelt.empty() || spelt.back() != platform::kSeparator) spelt += platform::kSeparator;
    return tui::UpperString(spelt);
}

bool LiesIn2023Tree(const RunPaths& paths) { return OneSpelling(paths.root2024).starts_with(OneSpelling(paths.root2023)); }

PathCheck CheckPaths(RunPaths& paths, const std::function<void()>& rootsChanged) {
    paths.accepted.reset();
    if (CompleteRoot(paths.root2023) && rootsChanged) rootsChanged();

    const std::string& registry = product::RegistryFileName();
    if (convert::ProbeFileSize(paths.root2023 + registry) == 0) {
        const std::string missing = "Brak pliku " + registry;
        std::string text = Message({missing, "Musisz wskazać katalog"_cp, "głównym programu KPR_QZ"_cp}, false);
        // Where it was looked for, so that a mistyped root shows itself.
        for (const std::string& line : PathLines(paths.root2023 + registry)) text += tui::kLineEnd + line;
        tui::ErrorBox(text);
        return PathCheck::NoRegistry;
    }

    if (!paths.root2024.empty() && CompleteRoot(paths.root2024) && rootsChanged) rootsChanged();

    if (!paths.root2024.empty() && !IsDriveRoot(paths.root2024) &&
        !platform::DirectoryExists(paths.root2024.substr(0, paths.root2024.size() - 1))) {
        tui::ErrorBox(Message({"Brak katalogu", paths.root2024}, true));
        return PathCheck::No2024Directory;
    }

    if (OneSpelling(paths.root2023) == OneSpelling(paths.root2024)) {
        tui::ErrorBox(Message({"Katalogi nię mogą być identyczne !"_cp}, true));
        return PathCheck::SameRoots;
    }

    // Nothing is read or written before the run knows that its results can be kept.
    platform::ForgetFailure();
    if (!CanWriteIn(paths.root2024)) {
        std::string text = Message({"Nie można zapisywać w katalogu"_cp}, true);
        for (const std::string& line : PathLines(paths.root2024)) text += tui::kLineEnd + fileio::Centred(line);
        tui::ErrorBox(tui::WithFailureReason(text));
        return PathCheck::No2024Write;
    }
    paths.accepted = AcceptedRoots{paths.root2023, paths.root2024};
    return PathCheck::Valid;
}

}  // namespace app
