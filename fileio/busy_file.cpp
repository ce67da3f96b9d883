#include "fileio/busy_file.h"

#include <cstdint>
#include <string>

#include "fileio/message_lines.h"
#include "fileio/shared_locks.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/message_box.h"
#include "tui/screen.h"

namespace fileio {

using namespace platform::literals;

namespace {
constexpr std::uint32_t kBusyRetryPause = 500;  // ms
constexpr int kRetriesBeforeAsking = 4;
}  // namespace

bool IsBusyError(int error) {
    return error == platform::err::AccessDenied || error == platform::err::SharingViolation ||
           error == platform::err::LockViolation;
}

bool WaitForBusyFile(std::string_view name, int& tries) {
    if (tries >= kRetriesBeforeAsking) {
        const std::string question = Centred("Dostęp do pliku"_cp) + tui::kLineEnd + Centred(name) + tui::kLineEnd +
                                     Centred("niemożliwy/zabroniony !"_cp) + tui::kLineEnd +
                                     Centred("Ponowić próbę ?"_cp);
        if (tui::ShowBox(tui::box::Warning | tui::box::Yes | tui::box::No, question, tui::Recorded::Yes) == tui::cmNo)
            return false;
        tries = 0;
    }
    ++tries;
    tui::Delay(kBusyRetryPause);
    return true;
}

namespace {

int RetryWhile(const std::function<int()>& attempt, bool (*again)(int error)) {
    int error = attempt();
    for (int tries = 1; tries < MaxTries && again(error); ++tries) {
        tui::Delay(RetryDelay);
        error = attempt();
    }
    return error;
}

}  // namespace

int RetryBriefly(const std::function<int()>& attempt) {
    return RetryWhile(attempt, [](int error) {
        return error == platform::err::LockViolation || error == platform::err::SharingViolation ||
               error == platform::err::FileGone;
    });
}

int RetryWhileGone(const std::function<int()>& attempt) {
    return RetryWhile(attempt, [](int error) { return error == platform::err::FileGone; });
}

}  // namespace fileio
