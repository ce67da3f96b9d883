#pragma once
// The answers that, once given, hold for the rest of the run: to the overwrite
// question and to the choice of the year of the annual settings. They are given in
// the global copy or in one firm and hold across every later firm, so they outlive
// the work of any one firm and are kept once for the whole process, here together.
// With them the two rules the global copy sets while it runs, as every copy
// primitive below it consults them.
#include "convert/copying/copy_steps.h"
#include "convert/copying/overwrite.h"

namespace convert {

struct RunState {
    // A or N to the overwrite question: every later existing target is overwritten
    // or kept without a question.
    OverwritePolicy overwrite = OverwritePolicy::Ask;
    // Set by the global copy while it runs: its own files that a run cut short left
    // half written are rewritten without the question, and every target is noted in
    // its mark before it is touched.
    UnaskedRewrite unaskedRewrite;
    TargetNotice targetNotice;
    // A to the choice between the 2023 and the 2024 annual settings: 2024 for every
    // later firm, without asking.
    bool annualSettingsFrom2024ForAll = false;
};

// The state of this run. Nothing in the program resets it; a test that runs several
// conversions one after the other assigns a fresh RunState between them.
RunState& TheRunState();

}  // namespace convert
