// The existence test that asks the user; apart from file_exists.cpp so that code
// which only looks for files does not need the message boxes.
#include "fileio/file_exists.h"
#include "fileio/message_lines.h"

#include <string>

#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/message_box.h"
#include "tui/screen.h"

namespace fileio {

using namespace platform::literals;

namespace {
constexpr std::uint32_t kExistenceRetryPause = 500;  // ms
constexpr int kRetriesBeforeAsking = 4;
}  // namespace

bool FileExistsRetry(std::string_view name) {
    int tries = 0;
    for (;;) {
        switch (FileSearchResult(name)) {
            case platform::err::Ok:
                return true;
            case platform::err::AccessDenied:
            case platform::err::SharingViolation:
            case platform::err::LockViolation:
                if (tries >= kRetriesBeforeAsking) {
                    const std::string question = Centred("Dostęp do pliku"_cp) + tui::kLineEnd + Centred(name) +
                                                 tui::kLineEnd + Centred("niemożliwy/zabroniony !"_cp) +
                                                 tui::kLineEnd + Centred("Ponowić próbę ?"_cp);
                    if (tui::ShowBox(tui::box::Warning | tui::box::Yes | tui::box::No, question) == tui::cmNo)
                        return false;
                    tries = 0;
                }
                ++tries;
                tui::Delay(kExistenceRetryPause);
                break;
            case platform::err::BadEnvironment:
            case platform::err::BadFormat:
                tui::ErrorBox(Centred("Niepoprawny format nazwy") + tui::kLineEnd + Centred(name));
                return false;
            default:
                return false;
        }
    }
}

}  // namespace fileio
