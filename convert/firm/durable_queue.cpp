#include "convert/firm/durable_queue.h"

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

// The firm is out of the batch while its flush ends, so that whatever the ending
// shows registers only the firms before it; a flush that failed has them registered
// before its error line.
void DurableQueue::EndFlush() {
    if (!std::exchange(flushing_, false)) return;
    Firm firm = std::move(firms_.back());
    firms_.pop_back();
    int report = platform::err::Ok;
    const int flushed = flush_.End(report);
    ReportWrittenToDisk(report);
    if (flushed != platform::err::Ok && !firms_.empty()) RegisterBatch();
    firm.durable = Durable(flushed, firm.target);
    firms_.push_back(std::move(firm));
}

// The insert's own messages go to the report with the batch's first firm.
void DurableQueue::RegisterBatch() {
    std::vector<Firm> batch = std::exchange(firms_, {});
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

void DurableQueue::RegisterFirmsOnTheirWay() {
    tui::SetBeforeWait(nullptr);
    EndFlush();
    if (!firms_.empty()) RegisterBatch();
}

void DurableQueue::RegisterFirmsOnTheirWayIfIn(const DataRoots& roots, std::string_view directory) {
    const std::string target = PathsOfFirm(roots, directory).target;
    for (const Firm& firm : firms_)
        if (tui::SameIgnoringCase(firm.target, target)) return RegisterFirmsOnTheirWay();
}

void DurableQueue::MakeDurableThenRegister(const DataRoots& roots, std::string_view directory, InProgressMark mark,
                                           const fileio::RegistryRecord& record, FinishFirmOnItsWay finish) {
    EndFlush();
    if (firms_.size() >= kBatchSize) RegisterBatch();
    Firm firm{std::string(directory), PathsOfFirm(roots, directory).target, std::move(mark), record,
              std::move(finish)};
    if (const int begun = flush_.Begin(firm.target, ReportToWriteToDisk()); begun != platform::err::Ok) {
        // Not on its way: it ends now, after the firms before it.
        RegisterFirmsOnTheirWay();
        firm.durable = Durable(begun, firm.target);
        firms_.push_back(std::move(firm));
        RegisterBatch();
        return;
    }
    firms_.push_back(std::move(firm));
    flushing_ = true;
    tui::SetBeforeWait([this] { RegisterFirmsOnTheirWay(); });
}

}  // namespace convert
