#pragma once
// What happens when a copy meets a target that is already there: the user decides,
// file by file or once for all that follow. An answer for all holds for the rest of
// the run, across the global copy and every later firm (convert/run_state.h).
#include <cstdint>
#include <functional>
#include <string_view>

namespace convert {

enum class OverwritePolicy : std::int16_t {
    Ask = 0,            // ask for each existing target
    KeepAll = 1,        // keep every existing target from now on, without asking
    OverwriteAll = -1,  // overwrite every existing target from now on, without asking
};

OverwritePolicy CurrentOverwritePolicy();

// Decides about the existing target called name. True means keep it untouched.
// A target that the unasked-rewrite rule takes is overwritten at once. Under Ask
// it shows the notice and the choices in the log and waits for A, N, W or Z (lower
// case too): W overwrites and Z keeps this file, A and N do the same and set the
// policy for all that follow.
bool AskOverwrite(std::string_view name);

// Decides, before the question, whether an existing target is rewritten without it:
// the global copy's own files that a run cut short left half written. None is set
// at start.
using UnaskedRewrite = std::function<bool(std::string_view target)>;
void SetUnaskedRewrite(UnaskedRewrite rule);

// Whether a copy leaves its target alone: the target holds data and the user keeps
// it, or the search for it failed (reported in the log), so that a file whose state
// is unknown is never overwritten unasked.
bool KeepTarget(std::string_view target);

}  // namespace convert
