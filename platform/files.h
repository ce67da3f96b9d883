#pragma once
// Files as the data's home platform offers them: shared open with access and sharing
// modes, non-blocking byte-range locks on the handle, directory search with an
// attribute mask, and error codes in that platform's numbering. Paths are code page
// 852 text; they are converted to the file system's names only inside this layer.
// Name lookup ignores letter case (ASCII and the Polish letters), as on that platform.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The directory separator of this platform; roots end with it.
#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif
// True where paths begin with a drive letter and colon.
bool PathsHaveDriveLetters();

// Error codes, numbered as the data's home platform numbers them. A name that cannot
// be a file name (a wildcard or control byte where a name belongs, a name too long)
// is BadFormat, which the callers report as a malformed name.
namespace err {
inline constexpr int Ok = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int TooManyOpenFiles = 4;
inline constexpr int AccessDenied = 5;
inline constexpr int InvalidHandle = 6;
inline constexpr int NotEnoughMemory = 8;
inline constexpr int BadEnvironment = 10;
inline constexpr int BadFormat = 11;
inline constexpr int InvalidAccess = 12;  // an open mode byte with undefined bits
inline constexpr int NotSameDevice = 17;  // a rename across file systems
inline constexpr int NoMoreFiles = 18;
inline constexpr int GeneralFailure = 31;  // any failure without a closer number
inline constexpr int SharingViolation = 32;
inline constexpr int LockViolation = 33;
inline constexpr int DiskFull = 39;
inline constexpr int InvalidParameter = 87;
inline constexpr int DirectoryNotEmpty = 145;
inline constexpr int NotLocked = 158;  // an unlock of a range this handle has not locked
inline constexpr int AlreadyExists = 183;  // a rename or new directory over an existing name
// The file a name or a handle led to was removed meanwhile: a network drive's view
// of a name another workstation removed a moment ago.
inline constexpr int FileGone = 1006;
}  // namespace err

// File-open mode byte: access in bits 0-1, sharing in bits 4-6.
namespace mode {
inline constexpr std::uint8_t ReadOnly = 0x00;
inline constexpr std::uint8_t WriteOnly = 0x01;
inline constexpr std::uint8_t ReadWrite = 0x02;
inline constexpr std::uint8_t DenyAll = 0x10;
inline constexpr std::uint8_t DenyWrite = 0x20;
inline constexpr std::uint8_t DenyRead = 0x30;
inline constexpr std::uint8_t DenyNone = 0x40;
}  // namespace mode

// Directory entry attributes.
namespace attr {
inline constexpr std::uint8_t ReadOnly = 0x01;
inline constexpr std::uint8_t Hidden = 0x02;
inline constexpr std::uint8_t System = 0x04;
inline constexpr std::uint8_t VolumeId = 0x08;
inline constexpr std::uint8_t Directory = 0x10;
inline constexpr std::uint8_t Archive = 0x20;
inline constexpr std::uint8_t AnyFile = 0x3F;
}  // namespace attr

// An open file. Move-only; the destructor closes it (without reporting errors).
class FileHandle {
public:
    FileHandle() = default;
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return native_ >= 0; }
    std::intptr_t Native() const { return native_; }

private:
    friend struct FileAccess;
    struct LockedRange {
        std::uint64_t offset;
        std::uint64_t length;
    };
    std::intptr_t native_ = -1;
    std::uint8_t access_ = 0;  // access bits of the open mode the caller asked for
    // The system may drop the handle's locks only after its close has returned (a
    // network or virtual file system): the close releases them itself first.
    bool releaseBeforeClose_ = true;
    // Ranges locked through this handle: the home platform refuses a second lock of
    // an overlapping range through the same handle and an unlock of a range that was
    // not locked as a whole, and the file layer keeps those rules everywhere.
    std::vector<LockedRange> locks_;
};

// The error number of the last file operation that the system refused (or that
// found no such file or path), 0 when none since the last ForgetFailure; an open,
// create, read or write that succeeds forgets it too. What lets a message name the
// reason of a failure reported far from the call, as the home platform's extended
// error did.
int LastFailure();
void ForgetFailure();

// Every operation returns 0 or an error number of err. Paths name files ignoring
// letter case; an entry found under another case is the one used.

// Opens an existing ordinary file with a file-open mode byte (access | sharing).
// SharingViolation when the sharing modes of the new and an open handle clash;
// InvalidAccess for a mode byte with undefined bits; a sharing bit field of 0 (the
// old compatibility mode) shares like deny none. An open for writing (or reading
// and writing) never follows a symbolic link at the last component (AccessDenied).
// An open handle in file is closed first.
int OpenSharedFile(std::string_view path, std::uint8_t openMode, FileHandle& file);
// Creates a file under the name as given, or truncates an existing one found in any
// case, for reading and writing, shared deny none. Never follows a symbolic link at
// the last component (AccessDenied), and never empties a file that another handle
// holds with a denying sharing mode (SharingViolation).
int CreateOrTruncateFile(std::string_view path, FileHandle& file);
// Creates a file that is not there yet, for reading and writing, shared deny none.
// An existing entry of the name in any case is never touched: AlreadyExists when it
// is an ordinary file (one another process made a moment ago, which the caller may
// open), AccessDenied when it is a directory, a link or any other kind of entry.
int CreateNewFile(std::string_view path, FileHandle& file);
// Reads up to size bytes; done receives how many were read (fewer only at the end).
int ReadFromFile(FileHandle& file, void* buffer, std::size_t size, std::size_t& done);
// Writes size bytes; done receives how many were written. Fewer than size is an
// error (DiskFull when the system took nothing more).
int WriteToFile(FileHandle& file, const void* buffer, std::size_t size, std::size_t& done);
int SeekFile(FileHandle& file, std::uint64_t offset);
int FileSize(FileHandle& file, std::uint64_t& size);
// The size as the file system holds it at this moment. The client of a network file
// system may answer FileSize from what it remembers of the file for a second or so;
// this asks afresh, so that under a lock it sees what other workstations wrote
// before they let go.
int CurrentFileSize(FileHandle& file, std::uint64_t& size);
int FlushFile(FileHandle& file);
// Brings what was written through the handle to where other workstations read it,
// before its locks go. On a network or virtual file system the data is flushed to
// the server, which is also where a full disk or a lost connection shows; on a
// local disk every process reads the one system cache and nothing needs doing. It
// does not make the data durable: FlushFile does.
int PublishWrites(FileHandle& file);
// Sets the end of the file at size: what lies beyond is cut off. The handle must
// allow writing.
int TruncateFile(FileHandle& file, std::uint64_t size);
int CloseFile(FileHandle& file);
// Non-blocking byte-range locks owned by the handle, released when it closes.
// LockViolation when another handle (of any process) or this one holds an
// overlapping range; unlock takes exactly a range that was locked (NotLocked
// otherwise). Ranges lie below 2^32, as the home platform's 32-bit locks do.
int LockRange(FileHandle& file, std::uint64_t offset, std::uint64_t length);
int UnlockRange(FileHandle& file, std::uint64_t offset, std::uint64_t length);

// Directory search by name or by a pattern with "*" and "?" in the last component.
struct FoundEntry {
    std::string name;  // code page 852, without the directory
    std::uint8_t attributes = 0;
    std::uint64_t size = 0;
};

class DirectorySearch {
public:
    DirectorySearch();
    ~DirectorySearch();
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    // Finds the first entry matching pattern whose attributes fit the mask (ordinary
    // files always match; directories, hidden, system entries and volume labels only
    // when their bit is in the mask). Letter case is ignored; a pattern's entries come
    // in the order of their names. "." and "..", devices and pipes are never found.
    // Returns 0, FileNotFound (nothing fits), PathNotFound (no such directory) or
    // BadFormat (a malformed name, a wildcard in a directory); next returns
    // NoMoreFiles after the last entry.
    int First(std::string_view pattern, std::uint8_t attributeMask, FoundEntry& entry);
    int Next(FoundEntry& entry);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Makes one directory; AlreadyExists when the name exists in any case.
int MakeDirectory(std::string_view path);
// Renames a file (or directory) within its file system; AlreadyExists when another
// entry has the new name in any case (a change of case alone is allowed);
// SharingViolation while the file is open.
int RenameFile(std::string_view from, std::string_view to);
// Removes a file; SharingViolation while it is open.
int RemoveFile(std::string_view path);
// Removes everything in a directory but the entry named keep (any letter case):
// files, links and subdirectories with their contents. A link is removed itself and
// never followed out of the directory; a directory that is itself a link is refused
// (AccessDenied). The directory stays.
int EmptyDirectory(std::string_view path, std::string_view keep);
// Writes to the disk what the files of a directory hold, so that a power cut after
// it returns loses none of it. On POSIX one sync of the whole file system the
// directory lies on; on Windows each file of the directory is flushed.
int MakeDurable(std::string_view path);
// Writes to the disk the entries of a directory (files made, renamed or removed in
// it), not what the files hold.
int FlushDirectory(std::string_view path);

// While one lives, the file layer may remember the directories it has looked up and
// the listings it has read, instead of asking the file system again for every file:
// it spans a run over a tree that changes only through this program and through
// other workstations' new files. Spans nest; the memory goes with the outermost.
class NameMemory {
public:
    NameMemory();
    ~NameMemory();
    NameMemory(const NameMemory&) = delete;
    NameMemory& operator=(const NameMemory&) = delete;
};

// Convenience tests built on the directory search.
bool DirectoryExists(std::string_view path);
// Whether any entry has the name, in any case: a file, a directory, or any other kind
// (a pipe, a socket, a link to nothing). 0 when one does; FileNotFound or PathNotFound
// when none does; another error when the look-up itself failed.
int FindEntry(std::string_view path);
bool IsOrdinaryFile(std::string_view path);  // an ordinary file, any size

std::string CurrentDirectory();  // ends with the separator
std::string ExecutablePath();    // the full path; empty when the system does not tell

}  // namespace platform
