#pragma once
// A directory's files read from the disk into the operating system's cache while the
// program goes on, so that a firm's conversion finds its 2023 files there instead of
// waiting for the disk file by file. The reading is asked of the system on a thread
// of its own whose only work is that: it is handed the directory already found (an
// open descriptor) and touches nothing of the program (no name memory, screen, lock,
// record, conversion data or the last failure). It never reads a byte into the
// program and opens the files without the sharing marks, so no workstation sees it;
// whatever fails on the way only leaves a file to be read from the disk as before.
// Where an open handle would be seen by the sharing modes of other workstations
// (Windows), nothing is read ahead and the system's own read-ahead does the work.
// Only the thread that began a read-ahead ends it.
#include <memory>
#include <string_view>

namespace platform {

class ReadAhead {
public:
    ReadAhead();
    // Waits for a read-ahead still under way.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Ends the read-ahead under way, if any, then begins that of the ordinary files
    // of the directory at path; none begins when the directory is not found.
    void Begin(std::string_view path);
    // Waits for the read-ahead begun last.
    void End();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
