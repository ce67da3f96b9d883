#include "convert/firm/durable_queue.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

#include "convert/copying/copy_steps.h"
#include "convert/report/run_report.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tui/before_wait.h"
#include "tui/polish_text.h"

namespace convert {

namespace {

using namespace platform::literals;

// The firm's directory could not be written to the disk: it is not registered and
// keeps its mark, so the next run converts it again.
bool Durable(int flushed, const std::string& target) {
    if (flushed == platform::err::Ok) return true;
    ReportError("Błąd zapisu danych do "_cp, target);
    return false;
}

}  // namespace

DurableQueue::~DurableQueue() { RegisterFirmsOnTheirWay(); }

std::size_t DurableQueue::CountIn(Stage stage) const {
    return static_cast<std::size_t>(
        std::count_if(firms_.begin(), firms_.end(), [stage](const Firm& firm) { return firm.stage == stage; }));
}

// When a directory cannot be found, each firm is flushed on its own, so that only
// the firm whose directory is gone ends without its files on the disk.
void DurableQueue::BeginFlush() {
    std::vector<std::string> targets;
    for (const Firm& firm : firms_)
        if (firm.stage == Stage::Written) targets.push_back(firm.target);
    if (targets.empty()) return;
    if (flush_.Begin(targets, ReportToWriteToDisk()) == platform::err::Ok) {
        for (Firm& firm : firms_)
            if (firm.stage == Stage::Written) firm.stage = Stage::Flushing;
        return;
    }
    RegisterEnded();
    for (Firm& firm : firms_) {
        int flushed = flush_.Begin(std::span(&firm.target, 1), ReportToWriteToDisk());
        if (flushed == platform::err::Ok) {
            int report = platform::err::Ok;
            flushed = flush_.End(report);
            ReportWrittenToDisk(report);
        }
        firm.durable = Durable(flushed, firm.target);
        firm.stage = Stage::Ended;
    }
}

// A flush that failed has the firms before it registered before its error lines.
void DurableQueue::EndFlush() {
    if (CountIn(Stage::Flushing) == 0) return;
    int report = platform::err::Ok;
    const int flushed = flush_.End(report);
    ReportWrittenToDisk(report);
    if (flushed != platform::err::Ok) RegisterEnded();
    for (Firm& firm : firms_) {
        if (firm.stage != Stage::Flushing) continue;
        firm.durable = Durable(flushed, firm.target);
        firm.stage = Stage::Ended;
    }
}

// The insert's own messages go to the report with the batch's first firm.
void DurableQueue::RegisterEnded() {
    const auto ended = std::find_if(firms_.begin(), firms_.end(),
                                    [](const Firm& firm) { return firm.stage != Stage::Ended; });
    std::vector<Firm> batch(std::make_move_iterator(firms_.begin()), std::make_move_iterator(ended));
    firms_.erase(firms_.begin(), ended);
    if (batch.empty()) return;
    std::vector<fileio::RegistryRecord> records;
    for (const Firm& firm : batch)
        if (firm.durable) records.push_back(firm.record);
    bool inserted = false;
    if (!records.empty()) {
        const ReportFirmFinishing reporting(batch.front().directory);
        inserted = insert_(records);
    }
    for (Firm& firm : batch) {
        const ReportFirmFinishing reporting(firm.directory);
        firm.finish(firm.durable, firm.durable && inserted, firm.mark);
    }
}

// While the queue works the hook is out: what it shows (an error line, the
// registry's questions) cannot come back into it.
void DurableQueue::RegisterBeforeAWait() {
    if (!firms_.empty()) tui::SetBeforeWait([this] { RegisterFirmsOnTheirWay(); });
}

void DurableQueue::RegisterFirmsOnTheirWay() {
    tui::SetBeforeWait(nullptr);
    EndFlush();
    BeginFlush();
    EndFlush();
    RegisterEnded();
}

void DurableQueue::RegisterFirmsOnTheirWayIfIn(const DataRoots& roots, std::string_view directory) {
    const std::string target = PathsOfFirm(roots, directory).target;
    for (const Firm& firm : firms_)
        if (tui::SameIgnoringCase(firm.target, target)) return RegisterFirmsOnTheirWay();
}

void DurableQueue::MakeDurableThenRegister(const DataRoots& roots, std::string_view directory, InProgressMark mark,
                                           const fileio::RegistryRecord& record, FinishFirmOnItsWay finish) {
    tui::SetBeforeWait(nullptr);
    firms_.push_back(Firm{std::string(directory), PathsOfFirm(roots, directory).target, std::move(mark), record,
                          std::move(finish)});
    // While the disk is still busy with the flush before, the firm waits for the next
    // one, unless a batch of firms waits for it already.
    if (flush_.Finished() || CountIn(Stage::Written) >= kBatchSize) {
        EndFlush();
        if (CountIn(Stage::Ended) >= kBatchSize) RegisterEnded();
        BeginFlush();
    }
    RegisterBeforeAWait();
}

}  // namespace convert
