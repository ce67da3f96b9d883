#pragma once
// A directory's files written to the disk while the program goes on. The flush is
// the one of makeDurable (platform/files.h), run on a thread of its own whose only
// work is to wait for the operating system to confirm the write-back: it is handed
// the directory already found (an open descriptor on POSIX, the native name on
// Windows) and touches nothing of the program (no name memory, screen, lock, record
// or conversion data). Only the thread that began a flush ends it.
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

    // Ends the flush under way, if any, then begins that of the directory at path;
    // the error when it cannot begin (the directory is not found), and then none is
    // under way.
    int begin(std::string_view path);
    // Waits for the flush begun last and returns its result, makeDurable's; Ok when
    // none is under way.
    int end();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
