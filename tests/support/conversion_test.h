#pragma once
// A screen test that starts from the state a run starts with: default options, no
// answer for all given (convert/run_state.h), a log that is not slow and empty. The state is
// process-wide, so it is put back after the test as well.
#include "convert/annual/annual_questions.h"
#include "convert/copying/file_copy.h"
#include "convert/options.h"
#include "convert/copying/overwrite.h"
#include "tui/progress_log.h"
#include "convert/run_state.h"
#include "tests/support/screen_test.h"

namespace qztest {

class ConversionTest : public ScreenTest {
protected:
    ConversionTest() {
        resetRunState();
        tui::ClearLog(true);
    }
    ~ConversionTest() override { resetRunState(); }

    // Puts the process-wide state back as a run starts with it, for tests that run
    // several conversions one after the other.
    static void resetRunState() {
        convert::TheRunState() = convert::RunState{};
        tui::SetSlowLog(false);
    }

    convert::Options options;  // the run's choices, as the wizard would leave them
};

}  // namespace qztest
