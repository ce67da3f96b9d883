#include "fileio/registry_file.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <set>

#include "fileio/insert_journal.h"
#include "fileio/message_lines.h"
#include "platform/cp852.h"
#include "platform/process.h"
#include "tui/failure_reason.h"
#include "tui/message_box.h"
#include "tui/question.h"
#include "tui/polish_text.h"
#include "tui/screen.h"
#include "tui/wait_window.h"

namespace fileio {

using namespace platform::literals;

namespace {

// The mode every registry file is opened with.
constexpr std::uint8_t kSharedOpenMode = platform::mode::ReadWrite | platform::mode::DenyNone;

constexpr std::size_t kKeyNameWidth = 31;
constexpr std::size_t kKeyDirectoryWidth = 8;
constexpr std::size_t kKeyDescriptionWidth = 25;

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

std::string Fitted(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace

RegistryFile::~RegistryFile() {
    if (handle_.IsOpen()) Close();
}

bool RegistryFile::Store(int error) {
    lastError_ = static_cast<std::int16_t>(error);
    return error == platform::err::Ok;
}

// --- The key order -------------------------------------------------------------------

std::string RegistryFile::KeyOf(const RegistryRecord& firm) {
    return Fitted(firm.Name(), kKeyNameWidth) + ' ' + Fitted(firm.Directory(), kKeyDirectoryWidth) + ' ' +
           Fitted(firm.Description(), kKeyDescriptionWidth);
}

// PolishCompare tells 1 when its first text sorts before the second.
std::strong_ordering RegistryFile::Compare(const RegistryRecord& a, const RegistryRecord& b) {
    return 0 <=> tui::PolishCompare(tui::UpperString(KeyOf(a)), tui::UpperString(KeyOf(b)));
}

// --- Records -------------------------------------------------------------------------

bool RegistryFile::ReadAt(std::int32_t index, RegistryRecord& firm) {
    std::size_t done = 0;
    return Store(platform::SeekFile(handle_, std::uint64_t(index) * kRegistryRecordSize)) &&
           Store(platform::ReadFromFile(handle_, firm.bytes.data(), firm.bytes.size(), done)) && done == firm.bytes.size();
}

bool RegistryFile::WriteAt(std::int32_t index, std::string_view records) {
    std::size_t done = 0;
    return Store(platform::SeekFile(handle_, std::uint64_t(index) * kRegistryRecordSize)) &&
           Store(platform::WriteToFile(handle_, records.data(), records.size(), done)) && done == records.size();
}

// --- Opening and closing -----------------------------------------------------------

bool RegistryFile::ResetStep() {
    // Another program may have the file open with a denying mode for a moment:
    // MaxTries pauses, then give up. Other errors need no second try.
    int error = platform::err::Ok;
    for (int pauses = 0;; ++pauses) {
        error = platform::OpenSharedFile(fileName_, kSharedOpenMode, handle_);
        if (error != platform::err::SharingViolation || pauses == MaxTries) break;
        tui::Delay(RetryDelay);
    }
    return Store(error);
}

bool RegistryFile::OpenFound() {
    if (ResetStep()) return true;
    if (lastError_ == platform::err::AccessDenied)
        tui::ErrorBox(Centred("Dostęp do pliku"_cp) + tui::kLineEnd + Centred(fileName_) + tui::kLineEnd +
                      Centred("Zabronony !(?)") + tui::kLineEnd + Centred(tui::FailureReason(lastError_)));
    return false;
}

// The search found nothing, but another workstation may create the file before this
// one does: the create is exclusive, and a file made meanwhile is opened, never
// emptied.
bool RegistryFile::CreateMissing() {
    if (Store(platform::CreateNewFile(fileName_, handle_))) return true;
    return lastError_ == platform::err::AlreadyExists && OpenFound();
}

Existence RegistryFile::Search() {
    int searchError = platform::err::Ok;
    const Existence found = FileExistsRetry(fileName_, searchError);
    Store(searchError);
    return found;
}

bool RegistryFile::Open(OpenMode mode) {
    // A second open replaces the handle, and its lock goes with it.
    if (handle_.IsOpen()) Close();
    locked_ = false;
    // Only a search that finds nothing makes a file missing: after any other error
    // the file may be there, and the open fails rather than create over it.
    switch (Search()) {
        case Existence::Found:
            return mode == OpenOrCreate ? OpenFound() : ResetStep();
        case Existence::Missing:
            return mode == OpenOrCreate && CreateMissing();
        case Existence::Unknown:
            break;
    }
    return false;
}

bool RegistryFile::Close() {
    if (!UnlockWhole()) return false;
    return Store(platform::CloseFile(handle_));
}

// --- The whole-file lock -------------------------------------------------------------

bool RegistryFile::TryLock() {
    if (!Store(platform::LockRange(handle_, 0, kWholeFileLength))) return false;
    locked_ = true;
    return true;
}

bool RegistryFile::TryUnlock() {
    if (!Store(platform::UnlockRange(handle_, 0, kWholeFileLength))) return false;
    locked_ = false;
    return true;
}

// One series of attempts. WaitNone makes MaxTries attempts at once; WaitAsk pauses
// RetryDelay between attempts and asks after every MaxTries failures whether to go
// on; WaitQueue goes on for ever, showing a wait window that fills once per series.
// Keys typed while waiting are discarded, so they cannot answer what comes next; an
// attempt that succeeds at once leaves them to what comes next.
bool RegistryFile::LockLoop(Attempt attempt, WaitPolicy wait) {
    std::unique_ptr<tui::WaitWindow> queue;
    int counter = 1;
    bool done = false;
    bool waited = false;
    do {
        done = (this->*attempt)();
        if (done) break;
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

bool RegistryFile::LockWhole(WaitPolicy wait) { return LockLoop(&RegistryFile::TryLock, wait); }

bool RegistryFile::UnlockWhole() { return !locked_ || LockLoop(&RegistryFile::TryUnlock, WaitAsk); }

// --- Sorted insertion ----------------------------------------------------------------

namespace {

// Files found damaged in this run: each is named once in a box, and nothing is
// inserted into it for the rest of the run. Process-wide, as the detection's read
// and the firm loop's inserts reach the same registry through objects of their own.
std::set<std::string>& RefusedFiles() {
    static std::set<std::string> files;
    return files;
}

}  // namespace

bool RegistryFile::Refused() const { return RefusedFiles().contains(fileName_); }

// A file whose length is not a whole number of records holds something else than
// records at its end (a record cut short, foreign bytes): inserting would build on
// it, so the file is left to a person.
bool RegistryFile::WholeRecords(std::uint64_t size) {
    if (size % kRegistryRecordSize == 0) return true;
    if (RefusedFiles().insert(fileName_).second)
        tui::ErrorBox(Centred("Uszkodzony plik") + tui::kLineEnd + Centred(fileName_) + tui::kLineEnd +
                      Centred(std::string("długość "_cp) + std::to_string(size)) + tui::kLineEnd +
                      Centred(std::string("nie jest wielokrotnością "_cp) + std::to_string(kRegistryRecordSize)));
    return false;
}

// Under the whole-file lock: an insert cut short (a journal beside the file) is
// rolled back before anything else; a journal cut short itself is discarded, since
// the file was not touched before the journal was whole.
bool RegistryFile::RollBackUnfinished() {
    JournalFound found = JournalFound::None;
    UndoImage undo;
    if (!Store(ReadInsertJournal(fileName_, found, undo))) return false;
    if (found == JournalFound::None) return true;
    if (found == JournalFound::Complete) {
        if (!Store(RollBack(handle_, undo))) return false;
        rolledBack_ = true;
    }
    return Store(RemoveInsertJournal(fileName_));
}

// The size under the whole-file lock as the file system has it now: asked afresh,
// then read on from there until nothing more comes. A size remembered by a network
// file system's client may be older than another workstation's last insert, and an
// append at a stale end would overwrite that insert's record.
bool RegistryFile::MeasureEnd(std::uint64_t& size) {
    if (!Store(platform::CurrentFileSize(handle_, size)) || !Store(platform::SeekFile(handle_, size))) return false;
    char beyond[512];
    for (;;) {
        std::size_t done = 0;
        if (!Store(platform::ReadFromFile(handle_, beyond, sizeof beyond, done))) return false;
        if (done == 0) break;
        size += done;
    }
    if (size / kRegistryRecordSize >= std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        return Store(platform::err::InvalidParameter);
    return true;
}

// What the insert builds on, under the whole-file lock: the journal of an insert cut
// short is rolled back, the size measured, a damaged file refused. For an insert
// (journal given) the new journal is created, empty, exclusively: only the file
// system itself can say that no other workstation left one a moment ago. A network
// drive may also refuse the create for a moment after another workstation removed
// its journal, when no journal is found: the create is tried again.
bool RegistryFile::TakeOver(platform::FileHandle* journal, std::uint64_t& size) {
    if (journal) {
        int error = CreateInsertJournal(fileName_, *journal);
        for (int tries = 1; error == platform::err::AlreadyExists && tries < MaxTries; ++tries) {
            if (!RollBackUnfinished()) return false;
            if (tries > 1) tui::Delay(RetryDelay);
            error = CreateInsertJournal(fileName_, *journal);
        }
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

bool RegistryFile::ReadWhole(std::string& bytes) {
    rolledBack_ = false;
    bytes.clear();
    if (!LockWhole(WaitAsk)) return false;
    std::uint64_t size = 0;
    std::size_t done = 0;
    bool read = TakeOver(nullptr, size) && Store(platform::SeekFile(handle_, 0));
    if (read) {
        bytes.resize(size);
        read = Store(platform::ReadFromFile(handle_, bytes.data(), bytes.size(), done)) && done == size;
    }
    return UnlockWhole() && read;
}

// The place of firm: after the last record that may stand before it. Records are
// read from the end, one at a time.
bool RegistryFile::FindPlace(const RegistryRecord& firm, std::int32_t count, std::int32_t& place,
                             tui::WaitWindow* progress) {
    RegistryRecord record;
    for (place = count; place > 0; --place) {
        if (progress) tui::AdvanceWait(*progress, 1);
        if (!ReadAt(place - 1, record)) {
            SeriousIOError(kReadFailed);
            return false;
        }
        if (Compare(record, firm) <= 0) break;
    }
    return true;
}

namespace {

// The records from the earliest place on as they stand after the insert: the old
// ones (moved), with each firm after the last record that may stand before it, in
// the order given, so that several firms inserted at once stand as if inserted one
// after the other.
std::string MergedTail(std::string_view old, std::span<const RegistryRecord> firms) {
    std::string tail(old);
    RegistryRecord record;
    for (const RegistryRecord& firm : firms) {
        std::size_t at = tail.size();
        for (; at > 0; at -= kRegistryRecordSize) {
            std::copy_n(tail.data() + at - kRegistryRecordSize, kRegistryRecordSize, record.bytes.data());
            if (RegistryFile::Compare(record, firm) <= 0) break;
        }
        tail.insert(at, firm.bytes.data(), kRegistryRecordSize);
    }
    return tail;
}

}  // namespace

// Writes the merged tail over the file from the earliest place: first what grows
// the file (the append), then what moves within it.
bool RegistryFile::ShiftAndPlace(std::int32_t from, std::string_view tail, const UndoImage& undo) {
    const std::size_t within = undo.bytes.size();
    const auto end = static_cast<std::int32_t>(from + within / kRegistryRecordSize);
    if (!WriteAt(end, tail.substr(within))) {
        SeriousIOError(kAppendFailed);
        return false;
    }
    if (within == 0 || WriteAt(from, tail.substr(0, within))) return true;
    SeriousIOError(kMoveFailed);
    return false;
}

// The journal is durable before the first byte of the file changes, and the file is
// flushed before the journal goes, so a kill or a power cut at any point leaves
// either the file as it was, or as it is after the insert, or a journal that puts
// it back. A failure after the first change puts the file back at once, so that a
// failed insert has left nothing in the file; when even that fails, the journal
// stays for whoever takes the lock next.
bool RegistryFile::JournaledInsert(std::span<const RegistryRecord> firms, platform::FileHandle& journal,
                                   std::uint64_t size) {
    const auto count = static_cast<std::int32_t>(size / kRegistryRecordSize);
    const auto looks = static_cast<std::int32_t>(firms.size()) * (count + 1);
    std::unique_ptr<tui::WaitWindow> progress;
    if (count + static_cast<std::int32_t>(firms.size()) > kInsertProgressThreshold)
        progress = tui::OpenWaitWindow(looks, "Wstawianie...", {});
    UndoImage undo{size, size, {}};
    bool placed = true;
    for (const RegistryRecord& firm : firms) {
        std::int32_t place = 0;
        placed = FindPlace(firm, count, place, progress.get());
        if (!placed) break;
        undo.from = std::min(undo.from, std::uint64_t(place) * kRegistryRecordSize);
    }
    if (placed) {
        undo.bytes.resize(size - undo.from);
        std::size_t done = 0;
        placed = Store(platform::SeekFile(handle_, undo.from)) &&
                 Store(platform::ReadFromFile(handle_, undo.bytes.data(), undo.bytes.size(), done)) &&
                 done == undo.bytes.size();
        if (!placed) SeriousIOError(kReadFailed);
    }
    const auto from = static_cast<std::int32_t>(undo.from / kRegistryRecordSize);
    const bool journaled = placed && Store(WriteInsertJournal(fileName_, journal, undo));
    const bool inserted = journaled && ShiftAndPlace(from, MergedTail(undo.bytes, firms), undo) &&
                          Store(platform::FlushFile(handle_));
    tui::CloseWaitWindow(progress);
    platform::CloseFile(journal);
    if (inserted && Store(RemoveInsertJournal(fileName_))) return true;
    // Before the journal was whole the file is untouched and the journal goes; after
    // it, the file is put back first. A journal that cannot be removed then is torn
    // or tells the file as it is: rolling back from it later changes nothing.
    if (!journaled || Store(RollBack(handle_, undo))) RemoveInsertJournal(fileName_);
    return false;
}

bool RegistryFile::InsertSorted(const RegistryRecord& firm) { return InsertSorted(std::span(&firm, 1)); }

// Under the whole-file lock from before the first change until the file is flushed,
// so that no other workstation sees the file half-shifted, nor reads it before what
// was written has reached the file's server.
bool RegistryFile::InsertSorted(std::span<const RegistryRecord> firms) {
    rolledBack_ = false;
    if (Refused()) return false;
    if (firms.empty()) return true;
    if (!LockWhole(WaitAsk)) return false;
    platform::FileHandle journal;
    std::uint64_t size = 0;
    const bool result = TakeOver(&journal, size) && JournaledInsert(firms, journal, size);
    if (journal.IsOpen()) {
        // Made but not used (the size could not be taken, the file is damaged); an
        // empty journal that stays is discarded by the next lock.
        platform::CloseFile(journal);
        RemoveInsertJournal(fileName_);
    }
    if (!UnlockWhole()) SeriousIOError(kUnlockFailed);
    if (!result && !Refused()) SeriousIOError(kInsertFailed);
    return result;
}

void SeriousIOError(std::string_view operation) {
    const std::string text = Centred("Poważny BŁĄD I/O."_cp) + tui::kLineEnd + Centred(operation) + tui::kLineEnd +
                             tui::kLineEnd + Centred("Czy KONTYNUOWAĆ PRACĘ ?"_cp);
    if (tui::ShowBox(tui::box::Error | tui::box::Yes | tui::box::No, text, tui::Recorded::Yes) != tui::cmYes)
        platform::ExitProgram(kSeriousIOErrorExitCode);
}

}  // namespace fileio
