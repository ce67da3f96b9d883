#pragma once
// A converted firm on its way into the 2024 registry. A firm is registered only once
// its files are on the disk, and the disk's confirmation takes about as long as the
// conversion of a firm: so the firm's files are written to the disk on the
// disk-waiting thread (platform/disk_flush.h) while the next firm is converted, and
// the firm is registered once that flush has returned. That is at the end of the
// next firm, before the user is asked anything (a question, a key after an error,
// the stop after each firm: tui/before_wait.h) and before the run's summary, so
// whatever the user is asked, the firms before it are registered. One firm is on
// its way at a time; the flush of the next one begins after it is registered, and
// writes the run's report, with the firm's result line, to the disk with the next
// firm's files.
#include <functional>
#include <string>
#include <string_view>

#include "convert/firm/firm_paths.h"
#include "convert/firm/in_progress_mark.h"
#include "platform/disk_flush.h"

namespace convert {

// Registers a firm whose files reached the disk (durable) or could not be written
// there (durable false, the error reported), and ends the firm (FinishFirm when it
// is registered). Runs on the program's own thread.
using RegisterFirm = std::function<void(bool durable, InProgressMark& mark)>;

class DurableQueue {
public:
    // The firm on its way, if any, is registered first.
    ~DurableQueue();
    DurableQueue() = default;
    DurableQueue(const DurableQueue&) = delete;
    DurableQueue& operator=(const DurableQueue&) = delete;

    // Registers the firm on its way, if any, then begins writing the files of the
    // firm in directory to the disk and keeps its mark and registerFirm until that is
    // done.
    void MakeDurableThenRegister(const DataRoots& roots, std::string_view directory, InProgressMark mark,
                                 RegisterFirm registerFirm);
    // Waits for the files of the firm on its way, if any, and registers it.
    void RegisterFirmOnItsWay();
    // The same when the firm on its way has the directory (letter case ignored): two
    // firms of one registry may share a directory, whose mark must be gone before the
    // second firm begins.
    void RegisterFirmOnItsWayIfIn(const DataRoots& roots, std::string_view directory);

private:
    platform::DiskFlush flush_;
    std::string target_;
    InProgressMark mark_;
    RegisterFirm registerFirm_;
};

}  // namespace convert
