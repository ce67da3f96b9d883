#pragma once
// The check of the two data roots when the user leaves the first wizard page.
#include <functional>

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
// probe file, made and removed again.
PathCheck CheckPaths(RunPaths& paths, const std::function<void()>& rootsChanged);

}  // namespace app
