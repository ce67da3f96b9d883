#include "fileio/shared_file.h"

#include <cstring>
#include <limits>
#include <memory>
#include <set>

#include "fileio/file_exists.h"
#include "fileio/insert_journal.h"
#include "fileio/message_lines.h"
#include "fileio/temp_files.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"
#include "tui/question.h"
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
    return tui::ShowBox(tui::box::Information | tui::box::Yes | tui::box::No, text, tui::Recorded::Yes) == tui::cmYes;
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
// typed while waiting are discarded, so they cannot answer what comes next; an
// attempt that succeeds at once leaves them to what comes next.
bool SharedFile::LockLoop(LoopKind kind, WaitPolicy wait, std::int32_t recNo) {
    std::unique_ptr<tui::WaitWindow> queue;
    int counter = 1;
    bool done = false;
    bool waited = false;
    do {
        done = Attempt(kind, recNo);
        if (done || kind == LoopKind::OpenExisting) break;
        ++counter;
        waited = wait != WaitNone;
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
    if (waited) tui::DiscardTypeAhead();
    return done;
}

bool SharedFile::LockRecord(std::int32_t recNo, WaitPolicy wait) { return LockLoop(LoopKind::LockRecord, wait, recNo); }

bool SharedFile::LockWhole(WaitPolicy wait) { return LockLoop(LoopKind::LockWhole, wait, 0); }

bool SharedFile::UnlockWhole() {
    if (held_.empty()) return true;
    return LockLoop(LoopKind::UnlockWhole, WaitAsk, 0);
}

// --- Sorted insertion ----------------------------------------------------------------

namespace {

// Files found damaged in this run: each is named once in a box, and nothing is
// inserted into it for the rest of the run.
std::set<std::string>& RefusedFiles() {
    static std::set<std::string> files;
    return files;
}

}  // namespace

bool SharedFile::Refused() const { return RefusedFiles().contains(fileVar_.name); }

// A file whose length is not a whole number of records holds something else than
// records at its end (a record cut short, foreign bytes): inserting would build on
// it, so the file is left to a person.
bool SharedFile::WholeRecords(std::uint64_t size) {
    if (size % std::uint64_t(recSize_) == 0) return true;
    if (RefusedFiles().insert(fileVar_.name).second)
        tui::ErrorBox(Centred("Uszkodzony plik") + tui::kLineEnd + Centred(fileVar_.name) + tui::kLineEnd +
                      Centred(std::string("długość "_cp) + std::to_string(size)) + tui::kLineEnd +
                      Centred(std::string("nie jest wielokrotnością "_cp) + std::to_string(recSize_)));
    return false;
}

// Under the whole-file lock: an insert cut short (a journal beside the file) is
// rolled back before anything else; a journal cut short itself is discarded, since
// the file was not touched before the journal was whole.
bool SharedFile::RollBackUnfinished() {
    JournalFound found = JournalFound::None;
    UndoImage undo;
    if (!Store(ReadInsertJournal(fileVar_.name, found, undo))) return false;
    if (found == JournalFound::None) return true;
    if (found == JournalFound::Complete) {
        if (!Store(RollBack(fileVar_.handle, undo))) return false;
        rolledBack_ = true;
    }
    return Store(RemoveInsertJournal(fileVar_.name));
}

// The size under the whole-file lock as the file system has it now: asked afresh,
// then read on from there until nothing more comes. A size remembered by a network
// file system's client may be older than another workstation's last insert, and an
// append at a stale end would overwrite that insert's record.
bool SharedFile::MeasureEnd(std::uint64_t& size) {
    if (!Store(platform::currentFileSize(fileVar_.handle, size)) || !Store(platform::seekFile(fileVar_.handle, size)))
        return false;
    char beyond[512];
    for (;;) {
        std::size_t done = 0;
        if (!Store(platform::readFile(fileVar_.handle, beyond, sizeof beyond, done))) return false;
        if (done == 0) break;
        size += done;
    }
    if (size / std::uint64_t(recSize_) >= std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        return Store(platform::err::InvalidParameter);
    return true;
}

// What the insert builds on, under the whole-file lock: the journal of an insert cut
// short is rolled back, the size measured, a damaged file refused. For an insert
// (journal given) the new journal is created, empty, exclusively: only the file
// system itself can say that no other workstation left one a moment ago.
bool SharedFile::TakeOver(platform::FileHandle* journal, std::uint64_t& size) {
    if (journal) {
        int error = CreateInsertJournal(fileVar_.name, *journal);
        if (error == platform::err::AlreadyExists && RollBackUnfinished())
            error = CreateInsertJournal(fileVar_.name, *journal);
        if (!Store(error)) return false;
    } else if (!RollBackUnfinished()) {
        return false;
    }
    if (!MeasureEnd(size)) {
        if (journal) SeriousIOError(kCountFailed);
        return false;
    }
    return WholeRecords(size);
}

bool SharedFile::ReadWhole(std::string& bytes) {
    rolledBack_ = false;
    bytes.clear();
    if (!LockWhole(WaitAsk)) return false;
    std::uint64_t size = 0;
    std::size_t done = 0;
    bool read = TakeOver(nullptr, size) && Store(platform::seekFile(fileVar_.handle, 0));
    if (read) {
        bytes.resize(size);
        read = Store(platform::readFile(fileVar_.handle, bytes.data(), bytes.size(), done)) && done == size;
    }
    return UnlockWhole() && read;
}

// The place of record: after the last record that may stand before it. Records are
// read from the end, one at a time.
bool SharedFile::FindPlace(const void* record, std::int32_t count, void* buffer, tui::WaitWindow* progress) {
    for (insertPos_ = count; insertPos_ > 0; --insertPos_) {
        if (progress) tui::AdvanceWait(*progress, 1);
        if (!ReadAt(insertPos_ - 1, buffer)) {
            SeriousIOError(kReadFailed);
            return false;
        }
        if (Compare(buffer, record) >= 0) break;
    }
    return true;
}

// Appends the last record, moves the others from InsertPos up by one, from the end
// down, and writes record at InsertPos. undo holds the records that move.
bool SharedFile::ShiftAndPlace(const void* record, const UndoImage& undo) {
    const auto size = static_cast<std::size_t>(recSize_);
    for (std::size_t at = undo.bytes.size(); at > 0; at -= size) {
        const std::int32_t from = insertPos_ + static_cast<std::int32_t>(at / size) - 1;
        if (!WriteAt(from + 1, undo.bytes.data() + at - size)) {
            SeriousIOError(at == undo.bytes.size() ? kAppendFailed : kMoveFailed);
            return false;
        }
    }
    if (WriteAt(insertPos_, record)) return true;
    if (undo.bytes.empty()) SeriousIOError(kAppendFailed);
    return false;
}

// The journal is durable before the first byte of the file changes, and the file is
// flushed before the journal goes, so a kill or a power cut at any point leaves
// either the file as it was, or as it is after the insert, or a journal that puts
// it back. A failure after the first change puts the file back at once, so that a
// failed insert has left nothing in the file; when even that fails, the journal
// stays for whoever takes the lock next.
bool SharedFile::JournaledInsert(const void* record, platform::FileHandle& journal, std::uint64_t size,
                                 void* buffer) {
    const auto count = static_cast<std::int32_t>(size / std::uint64_t(recSize_));
    std::unique_ptr<tui::WaitWindow> progress;
    if (count + 1 > kInsertProgressThreshold) progress = tui::OpenWaitWindow(count + 1, "Wstawianie...", {});
    UndoImage undo{size, 0, {}};
    bool placed = FindPlace(record, count, buffer, progress.get());
    if (placed) {
        undo.from = std::uint64_t(insertPos_) * std::uint64_t(recSize_);
        undo.bytes.resize(size - undo.from);
        std::size_t done = 0;
        placed = Store(platform::seekFile(fileVar_.handle, undo.from)) &&
                 Store(platform::readFile(fileVar_.handle, undo.bytes.data(), undo.bytes.size(), done)) &&
                 done == undo.bytes.size();
        if (!placed) SeriousIOError(kReadFailed);
    }
    const bool journaled = placed && Store(WriteInsertJournal(fileVar_.name, journal, undo));
    const bool inserted = journaled && ShiftAndPlace(record, undo) && Flush();
    tui::CloseWaitWindow(progress);
    platform::closeFile(journal);
    if (inserted && Store(RemoveInsertJournal(fileVar_.name))) return true;
    // Before the journal was whole the file is untouched and the journal goes; after
    // it, the file is put back first. A journal that cannot be removed then is torn
    // or tells the file as it is: rolling back from it later changes nothing.
    if (!journaled || Store(RollBack(fileVar_.handle, undo))) RemoveInsertJournal(fileVar_.name);
    return false;
}

// Under the whole-file lock from before the first change until the file is flushed,
// so that no other workstation sees the file half-shifted, nor reads it before what
// was written has reached the file's server.
bool SharedFile::InsertSorted(const void* record) {
    rolledBack_ = false;
    if (Refused()) return false;
    std::vector<char> buffer(static_cast<std::size_t>(recSize_));
    if (!LockWhole(WaitAsk)) return false;

    platform::FileHandle journal;
    std::uint64_t size = 0;
    const bool result = TakeOver(&journal, size) && JournaledInsert(record, journal, size, buffer.data());
    if (journal.isOpen()) {
        // Made but not used (the size could not be taken, the file is damaged); an
        // empty journal that stays is discarded by the next lock.
        platform::closeFile(journal);
        RemoveInsertJournal(fileVar_.name);
    }
    if (!UnlockWhole()) SeriousIOError(kUnlockFailed);
    if (!result && !Refused()) SeriousIOError(kInsertFailed);
    return result;
}

void SeriousIOError(std::string_view operation) {
    const std::string text = Centred("Poważny BŁĄD I/O."_cp) + tui::kLineEnd + Centred(operation) + tui::kLineEnd +
                             tui::kLineEnd + Centred("Czy KONTYNUOWAĆ PRACĘ ?"_cp);
    if (tui::ShowBox(tui::box::Error | tui::box::Yes | tui::box::No, text, tui::Recorded::Yes) != tui::cmYes)
        platform::exitProgram(kSeriousIOErrorExitCode);
}

}  // namespace fileio
