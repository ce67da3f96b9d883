#pragma once
// A screen test that starts from the state a run starts with: default options, no
// answer for all given (convert/run_state.h), a log that is not slow and empty. The state is
// process-wide, so it is put back after the test as well.
#include "convert/annual_questions.h"
#include "convert/file_copy.h"
#include "convert/mark_converted.h"
#include "convert/options.h"
#include "convert/overwrite.h"
#include "convert/progress_log.h"
#include "convert/run_state.h"
#include "tests/support/screen_test.h"

namespace qztest {

class ConversionTest : public ScreenTest {
protected:
    ConversionTest() {
        resetRunState();
        convert::ClearLog(true);
    }
    ~ConversionTest() override { resetRunState(); }

    // Puts the process-wide state back as a run starts with it, for tests that run
    // several conversions one after the other.
    static void resetRunState() {
        convert::runState() = convert::RunState{};
        convert::SetSlowLog(false);
        convert::ForgetConverted();
    }

    convert::Options options;  // the run's choices, as the wizard would leave them
};

}  // namespace qztest
