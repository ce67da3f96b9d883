// The existence test that asks the user; apart from file_exists.cpp so that code
// which only looks for files does not need the message boxes.
#include "fileio/file_exists.h"
#include "fileio/busy_file.h"
#include "fileio/message_lines.h"

#include "platform/files.h"
#include "tui/journal.h"
#include "tui/message_box.h"

namespace fileio {

Existence FileExistsRetry(std::string_view name, int& searchError) {
    int tries = 0;
    for (;;) {
        searchError = FileSearchResult(name);
        switch (searchError) {
            case platform::err::AccessDenied:
            case platform::err::SharingViolation:
            case platform::err::LockViolation:
                if (!WaitForBusyFile(name, tries)) return Existence::Unknown;
                break;
            case platform::err::BadEnvironment:
            case platform::err::BadFormat:
                tui::ErrorBox(Centred("Niepoprawny format nazwy") + tui::kLineEnd + Centred(name));
                return Existence::Unknown;
            default:
                return ExistenceOf(searchError);
        }
    }
}

}  // namespace fileio
