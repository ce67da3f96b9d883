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

DurableQueue::~DurableQueue() { RegisterFirmOnItsWay(); }

void DurableQueue::RegisterFirmOnItsWay() {
    if (!registerFirm_) return;
    tui::SetBeforeWait(nullptr);
    const RegisterFirm registerFirm = std::exchange(registerFirm_, nullptr);
    InProgressMark mark = std::move(mark_);
    int report = platform::err::Ok;
    const int flushed = flush_.End(report);
    ReportWrittenToDisk(report);
    registerFirm(Durable(flushed, target_), mark);
}

void DurableQueue::RegisterFirmOnItsWayIfIn(const DataRoots& roots, std::string_view directory) {
    if (registerFirm_ && tui::SameIgnoringCase(target_, PathsOfFirm(roots, directory).target))
        RegisterFirmOnItsWay();
}

void DurableQueue::MakeDurableThenRegister(const DataRoots& roots, std::string_view directory, InProgressMark mark,
                                           RegisterFirm registerFirm) {
    RegisterFirmOnItsWay();
    target_ = PathsOfFirm(roots, directory).target;
    if (const int begun = flush_.Begin(target_, ReportToWriteToDisk()); begun != platform::err::Ok) {
        registerFirm(Durable(begun, target_), mark);
        return;
    }
    mark_ = std::move(mark);
    registerFirm_ = std::move(registerFirm);
    tui::SetBeforeWait([this] { RegisterFirmOnItsWay(); });
}

}  // namespace convert
