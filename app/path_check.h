#pragma once
// The check of the two data roots when the user leaves the first wizard page.
#include <functional>
#include <string>
#include <string_view>

#include "app/paths.h"

namespace app {

// What the check found; the page moves its focus by it.
enum class PathCheck {
    Valid,
    NoRegistry,       // no registry (or an empty one) in the 2023 root: focus the 2023 line
    No2024Directory,  // the 2024 root names no directory: the focus stays
    SameRoots,        // both roots name the same directory: focus the 2024 line
    No2024Write,      // no file can be made in the 2024 root: focus the 2024 line
};

// Completes each root with a final separator (calling rootsChanged after a change,
// so the page can show it), then checks them in order and tells the user in an
// error box what is wrong with the first that fails. The 2024 root must take a
// probe file, made and removed again. Roots that pass are recorded as accepted.
PathCheck CheckPaths(RunPaths& paths, const std::function<void()>& rootsChanged);

// A root spelt the one way that every spelling of its directory shares: a relative
// root made whole from the current directory (or drive), each run of separators one
// separator ("/" counting as one where paths have drive letters), a final separator,
// and upper case, Polish letters included. Links, "." and ".." are taken as written.
std::string OneSpelling(std::string_view root);

// True when the 2024 root names the 2023 root or a directory inside it, however the
// two are spelt.
bool LiesIn2023Tree(const RunPaths& paths);

}  // namespace app
