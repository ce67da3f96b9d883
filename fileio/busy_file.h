#pragma once
// Waiting out a file that another workstation holds for a moment: the bookkeeping
// program on the same drive opens, locks and saves its files while the converter
// runs, and on the data's home platform a locked byte cannot even be read.
#include <functional>
#include <string_view>

#include "platform/files.h"

namespace fileio {

// Access denied, a sharing or a lock violation: what a file gives while another
// workstation holds it.
bool IsBusyError(int error);

// The pause before the next attempt at a busy file: 500 ms, and after every four
// pauses the question whether to go on trying, naming the file. tries counts the
// pauses since the last question (start it at 0). False when the user gives up.
bool WaitForBusyFile(std::string_view name, int& tries);

// Runs attempt (returning 0 or an error number) until it succeeds, pausing and
// asking as WaitForBusyFile while the file is busy. Its last error otherwise.
template <typename Attempt>
int RetryWhileBusy(std::string_view name, Attempt attempt) {
    int tries = 0;
    for (;;) {
        const int error = attempt();
        if (error == platform::err::Ok || !IsBusyError(error) || !WaitForBusyFile(name, tries)) return error;
    }
}

// Runs attempt (returning 0 or an error number) until it gives anything but a lock or
// a sharing violation or a file gone, at most MaxTries times RetryDelay apart, as the
// file layer tries its locks: for a hold that lasts a moment and that nobody needs to
// be asked about, and for a network drive's view that still shows, for a moment, a
// file another workstation removed. Its last error.
int RetryBriefly(const std::function<int()>& attempt);
// The same for a file gone only, where a lock or a sharing violation is an answer.
int RetryWhileGone(const std::function<int()>& attempt);

}  // namespace fileio
