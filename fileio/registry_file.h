#pragma once
// The firm registry on a drive that several workstations use at the same time, kept
// in key order. Every RegistryFile opens its file read/write and denying nothing, so
// all workstations can have it open; changes are serialised with the whole-file lock
// (fileio/shared_locks.h), held while records are being moved and until the file is
// flushed, so nobody sees the file half-shifted or reads it before the changes have
// reached the file's server. A busy lock is waited for by polling with fixed counts
// and pauses, then by asking the user.
//
// The key of a firm is its name fitted to 31 characters, a blank, its directory
// fitted to 8, a blank and its description fitted to 25 (fitting pads with blanks or
// cuts); keys compare upper-cased, in the Polish order. A new firm goes after every
// firm with an equal key.
#include <compare>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fileio/file_exists.h"
#include "fileio/registry_record.h"
#include "fileio/shared_locks.h"
#include "platform/files.h"

namespace tui {
struct WaitWindow;
}

namespace fileio {

struct UndoImage;

// How Open treats a missing file. A file counts as missing only when the search finds
// nothing; when the search fails, Open fails.
enum OpenMode : std::uint8_t {
    // Open it / create it without asking. The create is exclusive: a file that
    // another workstation makes meanwhile is opened, never emptied.
    OpenOrCreate,
    OpenExisting,  // open it / fail without a message
};

// How long a busy lock is waited for.
enum WaitPolicy : std::uint8_t {
    WaitNone,   // MaxTries attempts at once, no pause, no message
    WaitAsk,    // attempts RetryDelay apart; after every MaxTries failures a question
    // Attempts RetryDelay apart without end, with a wait window: the toolkit demo's
    // queue; the converter itself never queues.
    WaitQueue,
};

class RegistryFile {
public:
    // The file is reached by its whole name. Nothing is opened yet.
    explicit RegistryFile(std::string_view fileName) : fileName_(fileName) {}
    // Closes an open file (the whole-file lock is released first).
    ~RegistryFile();
    RegistryFile(const RegistryFile&) = delete;
    RegistryFile& operator=(const RegistryFile&) = delete;

    // With OpenOrCreate, a file there that cannot be opened for lack of access is
    // named in a box.
    bool Open(OpenMode mode);
    // Releases the lock still held, then closes. When the release fails the file
    // stays open and the result is false.
    bool Close();

    // Inserts firm in key order under the whole-file lock, waiting with WaitAsk.
    // Shows a wait window "Wstawianie..." over files of more than 20 records. The
    // insert is journaled (fileio/insert_journal.h): an insert that fails, or one
    // cut short and rolled back later, leaves the file as it was. A failure is put to
    // the user as a serious I/O error, which may end the program. A file whose length
    // is not a whole number of records is refused with a box, once, and no insert
    // goes into it for the rest of the run.
    bool InsertSorted(const RegistryRecord& firm);
    // Inserts several firms under one lock and one journal, standing as if inserted
    // one after the other in the order given; all or none are inserted.
    bool InsertSorted(std::span<const RegistryRecord> firms);
    // The whole file, read under the whole-file lock (waiting with WaitAsk), after
    // rolling back an insert cut short and with the size the file system holds now.
    // False when it cannot be read, and for a file refused as InsertSorted refuses it.
    bool ReadWhole(std::string& bytes);
    // The last InsertSorted or ReadWhole rolled back an insert cut short.
    bool RolledBack() const { return rolledBack_; }
    // Found damaged in this run (see InsertSorted).
    bool Refused() const;

    bool LockWhole(WaitPolicy wait);
    // Releases the whole-file lock (asking with WaitAsk while it cannot); true at
    // once when it is not held.
    bool UnlockWhole();

    // The whole name the file is opened, created, locked and searched under.
    const std::string& FileName() const { return fileName_; }
    // The error code of the object's most recent file operation (0 success).
    std::int16_t LastError() const { return lastError_; }

    // The key order of the registry: less when a stands before b.
    static std::strong_ordering Compare(const RegistryRecord& a, const RegistryRecord& b);
    static std::string KeyOf(const RegistryRecord& firm);

private:
    using Attempt = bool (RegistryFile::*)();
    // One polling series (see the .cpp) around the attempt.
    bool LockLoop(Attempt attempt, WaitPolicy wait);
    bool TryLock();
    bool TryUnlock();
    // Opens the existing file, retrying sharing violations.
    bool ResetStep();
    // The reset step; an access refusal is shown.
    bool OpenFound();
    // Creates a file the search found missing (exclusive), or opens one made meanwhile.
    bool CreateMissing();
    // FileExistsRetry of the file; the search's error becomes LastError.
    Existence Search();
    bool ReadAt(std::int32_t index, RegistryRecord& firm);
    // Writes whole records from index on.
    bool WriteAt(std::int32_t index, std::string_view records);
    // The steps of InsertSorted and ReadWhole (see the .cpp).
    bool WholeRecords(std::uint64_t size);
    bool RollBackUnfinished();
    bool MeasureEnd(std::uint64_t& size);
    bool TakeOver(platform::FileHandle* journal, std::uint64_t& size);
    bool FindPlace(const RegistryRecord& firm, std::int32_t count, std::int32_t& place, tui::WaitWindow* progress);
    bool ShiftAndPlace(std::int32_t from, std::string_view tail, const UndoImage& undo);
    bool JournaledInsert(std::span<const RegistryRecord> firms, platform::FileHandle& journal, std::uint64_t size);
    // Keeps error as LastError; true when it is 0.
    bool Store(int error);

    platform::FileHandle handle_;
    std::string fileName_;
    bool locked_ = false;
    std::int16_t lastError_ = 0;
    bool rolledBack_ = false;
};

// Asks "Poważny BŁĄD I/O." with the operation's text; returns when the user goes on
// ("Tak"), ends the program with exit code 255 otherwise.
void SeriousIOError(std::string_view operation);

}  // namespace fileio
