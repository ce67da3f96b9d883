#pragma once
// Directories' files written to the disk while the program goes on. The flush is
// the one of MakeDurable (platform/files.h) for each directory, run on a thread of
// its own whose only work is to wait for the operating system to confirm the
// write-back: it is handed the directories already found (open descriptors on
// POSIX, one for each file system, whose one write-back covers them all; the native
// names of their files on Windows) and touches nothing of the program (no name
// memory, screen, lock, record, conversion data or the last failure). Only the
// thread that began a flush ends it.
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace platform {

class DiskFlush {
public:
    DiskFlush();
    // Waits for a flush still under way; its result is lost.
    ~DiskFlush();
    DiskFlush(const DiskFlush&) = delete;
    DiskFlush& operator=(const DiskFlush&) = delete;

    // Ends the flush under way, if any, then begins that of the directories at paths,
    // and of the file at alongside (one of the program's own, such as the run's
    // report) with them when one is named; the error when it cannot begin (a
    // directory is not found), and then none is under way.
    int Begin(std::span<const std::string> paths, std::string_view alongside = {});
    // Whether the flush begun last has returned (End then waits for nothing); true
    // when none is under way.
    bool Finished() const;
    // Waits for the flush begun last and returns its result, the first failure of
    // MakeDurable's for its directories, and that of the file alongside in
    // alongside; Ok for both when none is under way.
    int End(int& alongside);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
