#pragma once
// The in-progress mark of a firm's 2024 directory: the file _qz_conv.tmp (found in
// any letter case), holding the date and time of the run that converts the firm. It
// is made before the first file of the firm, held open under the file layer's
// whole-file lock while the firm is converted, and removed only once the firm's
// record is in the 2024 registry and flushed. The lock tells whether the mark's maker
// is still at work: the system drops it when that process ends, however it ends. A
// mark whose lock is free was left by a run cut short.
//
// The global copy keeps the same mark in the 2024 global-data directory, and notes
// in it, after the date and time, the name of each file before it writes that file:
// a run cut short leaves the list of the files it may have left half written.
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace convert {

inline constexpr std::string_view kInProgressMarkName = "_qz_conv.tmp";

enum class MarkFound {
    None,        // no mark in the directory
    Busy,        // another process holds the mark's lock: its conversion is at work
    LeftBehind,  // the mark's lock was free and is held by this process now
    Unreadable,  // the mark could not be opened or its lock not tried
};

// One directory's mark as this process holds it. Move-only; the destructor gives
// the lock back and closes the file, which stays.
class InProgressMark {
public:
    InProgressMark() = default;
    InProgressMark(InProgressMark&&) = default;
    InProgressMark& operator=(InProgressMark&&) = default;
    ~InProgressMark() { Release(); }

    // Makes the mark in directory, where it must not be yet, takes its lock and
    // writes the date and time. Returns 0, AlreadyExists when a mark is there already
    // or LockViolation when another process took the lock first (the directory is
    // that process's then, and nothing more is touched), or the error that kept the
    // mark from being made or written.
    int Make(std::string_view directory);
    // Looks at the mark of directory; when it is left behind, this object holds it.
    MarkFound Look(std::string_view directory);
    // Writes the date and time of this run into the held mark, in place of all it held.
    bool Stamp();
    // Adds a file name as a line at the end of the held mark and flushes it to the
    // disk, so that the name is there before the file is touched.
    bool Note(std::string_view name);
    // The names noted in the held mark, in the order they were noted.
    bool NotedNames(std::vector<std::string>& names);
    // Gives the lock back and closes the file; the mark stays for the next run.
    void Release();
    // Gives the lock back and removes the file; a mark already gone is no error.
    bool Remove();

    bool Held() const { return file_.IsOpen(); }
    const std::string& Path() const { return path_; }

private:
    // Takes the whole-file lock of the open mark; the error of the attempt.
    int Lock();

    platform::FileHandle file_;
    std::string path_;
};

}  // namespace convert
