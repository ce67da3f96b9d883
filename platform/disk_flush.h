#pragma once
// A directory's files written to the disk while the program goes on. The flush is
// the one of MakeDurable (platform/files.h), run on a thread of its own whose only
// work is to wait for the operating system to confirm the write-back: it is handed
// the directory already found (an open descriptor on POSIX, the native names of its
// files on Windows) and touches nothing of the program (no name memory, screen,
// lock, record, conversion data or the last failure). Only the thread that began a
// flush ends it.
#include <memory>
#include <string_view>

namespace platform {

class DiskFlush {
public:
    DiskFlush();
    // Waits for a flush still under way; its result is lost.
    ~DiskFlush();
    DiskFlush(const DiskFlush&) = delete;
    DiskFlush& operator=(const DiskFlush&) = delete;

    // Ends the flush under way, if any, then begins that of the directory at path,
    // and of the file at alongside (one of the program's own, such as the run's
    // report) with it when one is named; the error when it cannot begin (the
    // directory is not found), and then none is under way.
    int Begin(std::string_view path, std::string_view alongside = {});
    // Waits for the flush begun last and returns its result, MakeDurable's, and that
    // of the file alongside in alongside; Ok for both when none is under way.
    int End(int& alongside);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
