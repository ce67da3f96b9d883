#pragma once
// Converted firms on their way into the 2024 registry. A firm is registered only once
// its files are on the disk, and the disk's confirmation takes about as long as the
// conversion of a firm: so the firms' files are written to the disk on the
// disk-waiting thread (platform/disk_flush.h) while the next firms are converted.
// One flush at a time is under way; the firms converted meanwhile go to the disk
// together under the next one, as soon as it has returned, so the program never
// waits for the disk between two firms. Once its flush has returned a firm waits,
// durable, for the others of its batch, and a batch is registered under one lock and
// one journal of the registry, since each insert waits for the disk four times
// whatever it inserts. A batch is registered when it is full, before the user is
// asked anything (a question, a key after an error, the stop after each firm:
// tui/before_wait.h), before a firm that shares a directory with one on its way and
// before the run's summary, so whatever the user is asked, the firms before it are
// registered. A kill costs at most a batch and the firms being flushed or waiting
// for a flush: they keep their marks and the next run converts them again. Every
// flush writes the run's report, with the result lines written so far, to the disk
// with the firms' files.
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/firm/firm_paths.h"
#include "convert/firm/in_progress_mark.h"
#include "fileio/registry_record.h"
#include "platform/disk_flush.h"

namespace convert {

// Inserts the records of the firms of a batch whose files reached the disk; false
// when none was inserted (the failure has been put to the user). Runs on the
// program's own thread.
using InsertFirms = std::function<bool(std::span<const fileio::RegistryRecord> firms)>;
// Ends a firm: its files reached the disk (durable) or could not be written there
// (durable false, the error reported), and its record is in the registry
// (registered: FinishFirm is due) or not. Runs on the program's own thread.
using FinishFirmOnItsWay = std::function<void(bool durable, bool registered, InProgressMark& mark)>;

class DurableQueue {
public:
    // The firms of a batch registered together.
    static constexpr std::size_t kBatchSize = 8;

    explicit DurableQueue(InsertFirms insert) : insert_(std::move(insert)) {}
    // The firms on their way, if any, are registered first.
    ~DurableQueue();
    DurableQueue(const DurableQueue&) = delete;
    DurableQueue& operator=(const DurableQueue&) = delete;

    // Keeps the mark, record and finish of the firm in directory until it is
    // registered. Its files go to the disk with the next flush, which begins at once
    // unless the one before is still under way; a full batch is registered first.
    void MakeDurableThenRegister(const DataRoots& roots, std::string_view directory, InProgressMark mark,
                                 const fileio::RegistryRecord& record, FinishFirmOnItsWay finish);
    // Waits for the files of every firm on its way to reach the disk, and registers
    // them.
    void RegisterFirmsOnTheirWay();
    // The same when a firm on its way has the directory (letter case ignored): two
    // firms of one registry may share a directory, whose mark must be gone before the
    // second firm begins.
    void RegisterFirmsOnTheirWayIfIn(const DataRoots& roots, std::string_view directory);

private:
    // A firm's way: its files written, their flush under way, then ended (durable or
    // not) and waiting for its batch. The firms are kept in their order: those ended
    // first, then those being flushed, then those written.
    enum class Stage { Written, Flushing, Ended };
    struct Firm {
        std::string directory;
        std::string target;
        InProgressMark mark;
        fileio::RegistryRecord record;
        FinishFirmOnItsWay finish;
        Stage stage = Stage::Written;
        bool durable = false;
    };
    std::size_t CountIn(Stage stage) const;
    // Begins the flush of every firm written since the last one began.
    void BeginFlush();
    // Waits for the flush under way, if any: its firms end, durable or not.
    void EndFlush();
    // Registers the firms that ended, under one insert, and finishes each in order.
    void RegisterEnded();
    // Whatever turns to the user first registers the firms on their way.
    void RegisterBeforeAWait();

    InsertFirms insert_;
    platform::DiskFlush flush_;
    std::vector<Firm> firms_;
};

}  // namespace convert
