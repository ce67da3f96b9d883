#include "fileio/shared_file.h"

#include <cstring>
#include <limits>
#include <memory>

#include "fileio/file_exists.h"
#include "fileio/message_lines.h"
#include "fileio/temp_files.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "tui/event.h"
#include "tui/failure_reason.h"
#include "tui/journal.h"
#include "tui/message_box.h"
#include "tui/screen.h"
#include "tui/wait_window.h"

namespace fileio {

using namespace platform::literals;

namespace {

// Inserts into longer files show their progress.
constexpr std::int32_t kInsertProgressThreshold = 20;
constexpr int kSeriousIOErrorExitCode = 255;

// The operation texts of the serious I/O error, each made of the two pieces the
// product has always shown (hence the two blanks after "dopisania do").
constexpr std::string_view kAppendFailed = "dopisania do  pliku";
constexpr std::string_view kCountFailed = "ustawienia końca pliku"_cp;
constexpr std::string_view kReadFailed = "odczytu danych";
constexpr std::string_view kMoveFailed = "zapisu danych";
constexpr std::string_view kUnlockFailed = "odblokowania pliku";
constexpr std::string_view kInsertFailed = "wstawienia do pliku";

// "Tak" on the question a lock asks after MaxTries failed attempts.
bool WaitLonger() {
    const std::string text = Centred(" NET Info") + tui::kLineEnd + Centred("DOSTĘP BLOKOWANY SIECIOWO"_cp) +
                             tui::kLineEnd + "Czy czekamy ?";
    return tui::JournalCommand(text, tui::ShowBox(tui::box::Information | tui::box::Yes | tui::box::No, text)) ==
           tui::cmYes;
}

}  // namespace

SharedFile::SharedFile(std::string_view name, std::uint16_t recSize)
    : recSize_(recSize < 1 ? 1 : recSize) {
    SetName(name);
}

void SharedFile::SetName(std::string_view name) {
    fileVar_.name = name;
    name_ = name.substr(0, kMaxNameLength);
}

SharedFile::~SharedFile() {
    if (state_ != state::Closed) Close();
}

bool SharedFile::Store(int error) {
    lastError_ = static_cast<std::int16_t>(error);
    return error == platform::err::Ok;
}

// --- Records -------------------------------------------------------------------------

bool SharedFile::ReadRec(void* buffer) {
    std::size_t done = 0;
    const int error = platform::readFile(fileVar_.handle, buffer, static_cast<std::size_t>(recSize_), done);
    transferred_ = error == platform::err::Ok && done == static_cast<std::size_t>(recSize_) ? 1 : 0;
    const bool read = Store(error) && transferred_ == 1;
    if (!read) std::memset(buffer, 0, static_cast<std::size_t>(recSize_));
    return read;
}

bool SharedFile::WriteRec(const void* record) {
    std::size_t done = 0;
    const int error = platform::writeFile(fileVar_.handle, record, static_cast<std::size_t>(recSize_), done);
    transferred_ = error == platform::err::Ok && done == static_cast<std::size_t>(recSize_) ? 1 : 0;
    return Store(error) && transferred_ == 1;
}

std::string SharedFile::CreateQuestion() const { return Centred("Utworzyć nowy ?"_cp); }

std::int16_t SharedFile::Compare(const void*, const void*) const { return 0; }

std::string SharedFile::KeyOf(const void*) const { return {}; }

bool SharedFile::SeekRec(std::int32_t recNo) {
    if (recNo < 0) return Store(platform::err::InvalidParameter);
    return Store(platform::seekFile(fileVar_.handle, std::uint64_t(recNo) * std::uint64_t(recSize_)));
}

bool SharedFile::SeekEnd(std::int32_t& count) {
    count = -1;
    std::uint64_t size = 0;
    if (!Store(platform::fileSize(fileVar_.handle, size))) return false;
    const std::uint64_t records = size / std::uint64_t(recSize_);
    if (records > std::uint64_t(std::numeric_limits<std::int32_t>::max())) return Store(platform::err::InvalidParameter);
    if (!Store(platform::seekFile(fileVar_.handle, records * std::uint64_t(recSize_)))) return false;
    count = static_cast<std::int32_t>(records);
    return true;
}

bool SharedFile::ReadAt(std::int32_t recNo, void* buffer) {
    if (!SeekRec(recNo)) {
        std::memset(buffer, 0, static_cast<std::size_t>(recSize_));
        return false;
    }
    return ReadRec(buffer);
}

bool SharedFile::WriteAt(std::int32_t recNo, const void* record) { return SeekRec(recNo) && WriteRec(record); }

bool SharedFile::AppendRec(const void* record) {
    std::int32_t count = 0;
    return SeekEnd(count) && WriteRec(record);
}

bool SharedFile::Flush() { return Store(platform::flushFile(fileVar_.handle)); }

// --- Opening and closing -----------------------------------------------------------

bool SharedFile::ResetStep() {
    // Another program may have the file open with a denying mode for a moment:
    // MaxTries pauses, then give up. Other errors need no second try.
    int error = platform::err::Ok;
    for (int pauses = 0;; ++pauses) {
        error = platform::openFile(fileVar_.name, openMode_, fileVar_.handle);
        if (error != platform::err::SharingViolation || pauses == MaxTries) break;
        tui::Delay(RetryDelay);
    }
    if (!Store(error)) return false;
    state_ = state::Opened;
    return true;
}

bool SharedFile::CreateFile(CreateCall create, std::uint8_t newState) {
    if (!Store(create(fileVar_.name, fileVar_.handle))) return false;
    state_ = newState;
    return true;
}

bool SharedFile::OpenFound(WaitPolicy wait) {
    if (LockLoop(LoopKind::OpenExisting, wait, 0)) return true;
    if (lastError_ == platform::err::AccessDenied)
        tui::ErrorBox(Centred("Dostęp do pliku"_cp) + tui::kLineEnd + Centred(fileVar_.name) + tui::kLineEnd +
                      Centred("Zabronony !(?)") + tui::kLineEnd + Centred(tui::FailureReason(lastError_)));
    return false;
}

// The search found nothing, but another workstation may create the file before this
// one does: the create is exclusive, and a file made meanwhile is opened, never
// emptied.
bool SharedFile::CreateMissing(WaitPolicy wait) {
    if (CreateFile(platform::createNewFile, state::Created)) return true;
    return lastError_ == platform::err::AlreadyExists && OpenFound(wait);
}

bool SharedFile::AskCreate() const {
    const std::string question = Centred("Nie odnaleziono pliku:") + tui::kLineEnd + Centred(fileVar_.name) +
                                 tui::kLineEnd + CreateQuestion();
    return tui::MessageBox(tui::box::Confirm | tui::box::Yes | tui::box::No, question, 10, 40, 10, 20) == tui::cmYes;
}

Existence SharedFile::Search() {
    int searchError = platform::err::Ok;
    const Existence found = FileExistsRetry(fileVar_.name, searchError);
    Store(searchError);
    return found;
}

bool SharedFile::Open(OpenMode mode, WaitPolicy wait) {
    // A second open replaces the handle, and its locks go with it.
    if (state_ != state::Closed) Close();
    held_.clear();
    state_ = state::Closed;

    // Only a search that finds nothing makes a file missing: after any other error
    // the file may be there, and the open fails rather than create over it.
    bool opened = false;
    switch (mode) {
        case OpenOrCreate:
        case OpenOrAskCreate:
            switch (Search()) {
                case Existence::Found:
                    opened = OpenFound(wait);
                    break;
                case Existence::Missing:
                    opened = (mode == OpenOrCreate || AskCreate()) && CreateMissing(wait);
                    break;
                case Existence::Unknown:
                    break;
            }
            break;
        case OpenExisting:
            opened = Search() == Existence::Found && LockLoop(LoopKind::OpenExisting, wait, 0);
            break;
        case CreateNew:
            opened = CreateFile(platform::createFile, state::Created);
            break;
        case CreateTemp:
            // The name is only a candidate until the exclusive create has it.
            SetName(TempName(fileVar_.name));
            opened = CreateFile(platform::createNewFile, state::Temp);
            break;
    }
    if (opened && lockOnOpen_ && !LockWhole(wait)) {
        platform::closeFile(fileVar_.handle);
        state_ = state::Closed;
        return false;
    }
    return opened;
}

bool SharedFile::Close() {
    if (!UnlockWhole()) return false;
    const int error = platform::closeFile(fileVar_.handle);
    state_ = state::Closed;
    return Store(error);
}

// --- Locks ---------------------------------------------------------------------------

bool SharedFile::LockRange(Range range) {
    if (!Store(platform::lockRange(fileVar_.handle, range.offset, range.length))) return false;
    held_.push_back(range);
    return true;
}

bool SharedFile::UnlockAll() {
    while (!held_.empty()) {
        const Range range = held_.back();
        if (!Store(platform::unlockRange(fileVar_.handle, range.offset, range.length))) return false;
        held_.pop_back();
    }
    return true;
}

bool SharedFile::Attempt(LoopKind kind, std::int32_t recNo) {
    switch (kind) {
        case LoopKind::OpenExisting:
            return ResetStep();
        case LoopKind::LockRecord:
            if (recNo < 0) return Store(platform::err::InvalidParameter);
            return LockRange({std::uint64_t(recNo) * std::uint64_t(recSize_), std::uint64_t(recSize_)});
        case LoopKind::LockWhole:
            return LockRange({0, kWholeFileLength});
        case LoopKind::UnlockWhole:
            return UnlockAll();
    }
    return false;
}

// One series of attempts. WaitNone makes MaxTries attempts at once; WaitAsk pauses
// RetryDelay between attempts and asks after every MaxTries failures whether to go
// on; WaitQueue goes on for ever, showing a wait window that fills once per series.
// Opening (which retries by itself) makes one attempt whatever the policy. Keys
// typed while waiting are discarded, so they cannot answer what comes next.
bool SharedFile::LockLoop(LoopKind kind, WaitPolicy wait, std::int32_t recNo) {
    std::unique_ptr<tui::WaitWindow> queue;
    int counter = 1;
    bool done = false;
    do {
        done = Attempt(kind, recNo);
        if (done || kind == LoopKind::OpenExisting) break;
        ++counter;
        switch (wait) {
            case WaitNone:
                break;
            case WaitAsk:
                if (counter > MaxTries) {
                    if (WaitLonger()) counter = 1;
                } else {
                    tui::Delay(RetryDelay);
                }
                break;
            case WaitQueue:
                if (counter > MaxTries) {
                    counter = 1;
                    if (queue)
                        tui::ResetWait(*queue);
                    else
                        queue = tui::OpenWaitWindow(MaxTries - 1, "Sieciowa KOLEJKA ", {});
                } else {
                    if (queue) tui::AdvanceWait(*queue, 1);
                    tui::Delay(RetryDelay);
                }
                break;
        }
    } while (counter <= MaxTries);
    tui::CloseWaitWindow(queue);
    tui::FlushKeys();
    return done;
}

bool SharedFile::LockRecord(std::int32_t recNo, WaitPolicy wait) { return LockLoop(LoopKind::LockRecord, wait, recNo); }

bool SharedFile::LockWhole(WaitPolicy wait) { return LockLoop(LoopKind::LockWhole, wait, 0); }

bool SharedFile::UnlockWhole() {
    if (held_.empty()) return true;
    return LockLoop(LoopKind::UnlockWhole, WaitAsk, 0);
}

// --- Sorted insertion ----------------------------------------------------------------

bool SharedFile::MoveAndPlace(const void* record, std::int32_t n, void* buffer, tui::WaitWindow* progress) {
    if (n == 1) {
        insertPos_ = 0;
        return true;
    }
    for (std::int32_t i = n - 2; i >= 0; --i) {
        insertPos_ = i;
        if (progress) tui::AdvanceWait(*progress, 1);
        // Slot i + 1 is free at this point: it holds the appended record or a copy of
        // the record just moved to i + 2. If record i cannot be read or moved, the
        // moves stop and the new record takes that free slot, so no record is lost
        // or doubled; the file may then be out of order, and the insert fails.
        bool moved = ReadAt(i, buffer);
        if (!moved) {
            SeriousIOError(kReadFailed);
        } else if (Compare(buffer, record) >= 0) {
            insertPos_ = i + 1;
            return WriteAt(i + 1, record);
        } else {
            moved = WriteAt(i + 1, buffer);
            if (!moved) SeriousIOError(kMoveFailed);
        }
        if (!moved) {
            insertPos_ = i + 1;
            WriteAt(i + 1, record);
            return false;
        }
    }
    return WriteAt(0, record);
}

// The whole-file lock is held from before the append until after the last move, so
// no other workstation sees the file half-shifted.
bool SharedFile::InsertSorted(const void* record) {
    std::vector<char> buffer(static_cast<std::size_t>(recSize_));
    if (!LockWhole(WaitAsk)) return false;

    bool result = false;
    std::int32_t count = -1;
    // After a failed append or count nothing is moved: moving records over a slot
    // that the new record does not fill would lose the last of them.
    if (!AppendRec(record)) {
        SeriousIOError(kAppendFailed);
    } else if (!SeekEnd(count)) {
        SeriousIOError(kCountFailed);
    } else {
        std::unique_ptr<tui::WaitWindow> progress;
        if (count > kInsertProgressThreshold) progress = tui::OpenWaitWindow(count, "Wstawianie...", {});
        result = MoveAndPlace(record, count, buffer.data(), progress.get());
        tui::CloseWaitWindow(progress);
    }

    if (!UnlockWhole()) SeriousIOError(kUnlockFailed);
    // A flush that fails is where a full disk or a lost network drive shows: the
    // insert may not have reached the file.
    if (!Flush()) result = false;
    if (!result) SeriousIOError(kInsertFailed);
    return result;
}

void SeriousIOError(std::string_view operation) {
    const std::string text = Centred("Poważny BŁĄD I/O."_cp) + tui::kLineEnd + Centred(operation) + tui::kLineEnd +
                             tui::kLineEnd + Centred("Czy KONTYNUOWAĆ PRACĘ ?"_cp);
    if (tui::JournalCommand(text, tui::ShowBox(tui::box::Error | tui::box::Yes | tui::box::No, text)) != tui::cmYes)
        platform::exitProgram(kSeriousIOErrorExitCode);
}

}  // namespace fileio
