#pragma once
// Record files on a drive that several workstations use at the same time. Every
// SharedFile opens its file read/write and denying nothing, so all workstations can
// have it open; changes are serialised with the operating system's byte-range locks
// on the handle (fileio/first_byte_lock.h and platform/posix/file_locks.cpp tell the
// whole protocol):
//   - the whole-file lock, 2 147 483 647 bytes from offset 0 (the largest 32-bit
//     signed value; other workstations' programs use exactly this range), held while
//     records are being moved and until the file is flushed, so nobody sees the file
//     half-shifted or reads it before the changes have reached the file's server;
//   - a record lock, the record's own bytes.
// A busy file is waited for by polling with fixed counts and pauses, then by asking
// the user. Records are fixed-size and little-endian; record numbers count from 0.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/file_exists.h"
#include "platform/files.h"

namespace tui {
struct WaitWindow;
}

namespace fileio {

struct UndoImage;

// How Open treats an existing and a missing file. A file counts as missing only when
// the search finds nothing; when the search fails, every mode but CreateNew and
// CreateTemp fails. A missing file is created exclusively: one that appears meanwhile
// is opened, never emptied.
enum OpenMode : std::uint8_t {
    OpenOrCreate = 0,     // open it / create it without asking
    OpenExisting = 1,     // open it / fail without a message
    CreateNew = 2,        // create or truncate it
    CreateTemp = 3,       // a new uniquely named ".tmp" file in the directory the name gives
    OpenOrAskCreate = 4,  // open it / ask "Nie odnaleziono pliku:" and create on "Tak"
};

// How long a busy file is waited for.
enum WaitPolicy : std::uint8_t {
    WaitNone = 0,   // MaxTries attempts at once, no pause, no message
    WaitAsk = 1,    // attempts RetryDelay apart; after every MaxTries failures a question
    WaitQueue = 2,  // attempts RetryDelay apart without end, with a wait window
};

inline constexpr int MaxTries = 30;
inline constexpr std::uint32_t RetryDelay = 50;  // ms between two attempts
inline constexpr std::uint64_t kWholeFileLength = 2147483647;
inline constexpr std::size_t kMaxNameLength = 79;
// The mode byte every SharedFile opens an existing file with.
inline constexpr std::uint8_t kSharedOpenMode = platform::mode::ReadWrite | platform::mode::DenyNone;

// Values of State.
namespace state {
inline constexpr std::uint8_t Closed = 0;
inline constexpr std::uint8_t Opened = 1;   // an existing file was opened
inline constexpr std::uint8_t Created = 2;  // the file was created or truncated
inline constexpr std::uint8_t Temp = 3;     // a temporary file was created
}  // namespace state

class SharedFile {
public:
    // Init: the file is reached by its whole name; only Name, the name shown, is cut
    // to 79 characters. A record size below 1 becomes 1. Nothing is opened yet.
    SharedFile(std::string_view name, std::uint16_t recSize);
    // Done: closes an open file (the whole-file lock is released first).
    virtual ~SharedFile();
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    // --- Operations descendants may replace, in this order -----------------------
    // Reads one record at the current position into buffer (RecSize bytes); on
    // failure the buffer is zero-filled.
    virtual bool ReadRec(void* buffer);
    // Writes one record at the current position.
    virtual bool WriteRec(const void* record);
    // The last line of the question OpenOrAskCreate asks about a missing file.
    virtual std::string CreateQuestion() const;
    // Orders two records for InsertSorted: >= 0 when a may stand before b. The base
    // class knows no order: every record may stand before every other, so an insert
    // appends.
    virtual std::int16_t Compare(const void* a, const void* b) const;
    // The sort key of a record, for the Compare of descendants; empty here.
    virtual std::string KeyOf(const void* record) const;

    // --- Opening and closing ----------------------------------------------------
    bool Open(OpenMode mode, WaitPolicy wait);
    // Releases a lock still held, then closes. When the release fails the file
    // stays open and the result is false.
    bool Close();

    // --- Records ----------------------------------------------------------------
    bool SeekRec(std::int32_t recNo);
    // count := the number of whole records, then positions at the end; count := -1
    // on failure.
    bool SeekEnd(std::int32_t& count);
    // On a failed seek the buffer is zero-filled.
    bool ReadAt(std::int32_t recNo, void* buffer);
    bool WriteAt(std::int32_t recNo, const void* record);
    bool AppendRec(const void* record);
    // Inserts record in key order (after every record with an equal key) under the
    // whole-file lock, waiting with WaitAsk; InsertPos tells where it went. Shows a
    // wait window "Wstawianie..." over files of more than 20 records. The insert is
    // journaled (fileio/insert_journal.h): an insert that fails, or one cut short and
    // rolled back later, leaves the file as it was. A failure is put to the user as
    // a serious I/O error, which may end the program. A file whose length is not a
    // whole number of records is refused with a box, once, and no insert goes into it
    // for the rest of the run.
    bool InsertSorted(const void* record);
    // The whole file, read under the whole-file lock (waiting with WaitAsk), after
    // rolling back an insert cut short and with the size the file system holds now.
    // False when it cannot be read, and for a file refused as InsertSorted refuses it.
    bool ReadWhole(std::string& bytes);
    // The last InsertSorted or ReadWhole rolled back an insert cut short.
    bool RolledBack() const { return rolledBack_; }
    // Found damaged in this run (see InsertSorted).
    bool Refused() const;
    // Asks the system to write the file's buffers to disk.
    bool Flush();

    // --- Locks ------------------------------------------------------------------
    // Locks RecSize bytes at recNo x RecSize.
    bool LockRecord(std::int32_t recNo, WaitPolicy wait);
    bool LockWhole(WaitPolicy wait);
    // Releases what this object holds (asking with WaitAsk while it cannot); true at
    // once when nothing is held.
    bool UnlockWhole();

    // --- Fields -----------------------------------------------------------------
    // The name for display, cut to 79 characters.
    const std::string& Name() const { return name_; }
    // The whole name the file is opened, created, locked and searched under.
    const std::string& FileName() const { return fileVar_.name; }
    std::uint8_t OpenModeByte() const { return openMode_; }
    void SetOpenModeByte(std::uint8_t mode) { openMode_ = mode; }
    std::uint8_t State() const { return state_; }
    bool LockOnOpen() const { return lockOnOpen_; }
    // Take the whole-file lock right after every successful Open.
    void SetLockOnOpen(bool on) { lockOnOpen_ = on; }
    // Records moved by the last record read or write (0 or 1).
    std::int32_t Transferred() const { return transferred_; }
    std::int32_t RecSize() const { return recSize_; }
    // A record or whole-file lock taken through this object is held.
    bool Locked() const { return !held_.empty(); }
    // The error code of the object's most recent file operation (0 success).
    std::int16_t LastError() const { return lastError_; }
    // Where the last InsertSorted placed its record.
    std::int32_t InsertPos() const { return insertPos_; }

private:
    enum class LoopKind { OpenExisting, LockRecord, LockWhole, UnlockWhole };
    struct Range {
        std::uint64_t offset;
        std::uint64_t length;
    };

    // One polling series (see the .cpp) around one action of the kind.
    bool LockLoop(LoopKind kind, WaitPolicy wait, std::int32_t recNo);
    bool Attempt(LoopKind kind, std::int32_t recNo);
    // Opens the existing file with OpenModeByte, retrying sharing violations.
    bool ResetStep();
    using CreateCall = int (*)(std::string_view, platform::FileHandle&);
    bool CreateFile(CreateCall create, std::uint8_t newState);
    // The reset step through the lock loop; an access refusal is shown.
    bool OpenFound(WaitPolicy wait);
    // Creates a file the search found missing (exclusive), or opens one made meanwhile.
    bool CreateMissing(WaitPolicy wait);
    // "Tak" to the question of OpenOrAskCreate about a missing file.
    bool AskCreate() const;
    // FileExistsRetry of the file; the search's error becomes LastError.
    Existence Search();
    void SetName(std::string_view name);
    bool LockRange(Range range);
    bool UnlockAll();
    // The steps of InsertSorted and ReadWhole (see the .cpp).
    bool WholeRecords(std::uint64_t size);
    bool RollBackUnfinished();
    bool MeasureEnd(std::uint64_t& size);
    bool TakeOver(platform::FileHandle* journal, std::uint64_t& size);
    bool FindPlace(const void* record, std::int32_t count, void* buffer, tui::WaitWindow* progress);
    bool ShiftAndPlace(const void* record, const UndoImage& undo);
    bool JournaledInsert(const void* record, platform::FileHandle& journal, std::uint64_t size, void* buffer);
    // Keeps error as LastError; true when it is 0.
    bool Store(int error);

    // FileVar: the handle with the name bound to it and the record size.
    struct FileVar {
        platform::FileHandle handle;
        std::string name;
    } fileVar_;
    std::string name_;
    std::uint8_t openMode_ = kSharedOpenMode;
    std::uint8_t state_ = state::Closed;
    bool lockOnOpen_ = false;
    std::int32_t transferred_ = 0;
    std::int32_t recSize_ = 1;
    std::vector<Range> held_;
    std::int16_t lastError_ = 0;
    std::int32_t insertPos_ = 0;
    bool rolledBack_ = false;
};

// Asks "Poważny BŁĄD I/O." with the operation's text; returns when the user goes on
// ("Tak"), ends the program with exit code 255 otherwise.
void SeriousIOError(std::string_view operation);

}  // namespace fileio
