// Files on a POSIX system with the home platform's behaviour: shared open with
// sharing modes, byte-range locks on the handle, case-insensitive names and the home
// platform's error numbers. The lock and sharing protocol is in file_locks.cpp.
#include "platform/files.h"

#include <stdio.h>  // RENAME_NOREPLACE
#include <sys/sysmacros.h>

#include <limits>

#include "platform/failure_record.h"
#include "platform/file_access.h"
#include "platform/posix/file_locks.h"
#include "platform/posix/home_error.h"
#include "platform/posix/lookup_memory.h"
#include "platform/posix/names.h"
#include "platform/posix/syscalls.h"

namespace platform {

using namespace posix;

namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask

// The locks go before the descriptor where the file system may drop them only after
// the close has returned: a removal or a look from another handle right after the
// close must not find this handle's marks (over a FUSE mount they stayed on the
// server for a moment after close returned, and the in-progress mark of a firm, seen
// as still open, was left behind). A descriptor that holds none closes at once.
int CloseDescriptor(int fd, bool releaseFirst) {
    const int released = releaseFirst ? ReleaseLocks(fd) : err::Ok;
    if (TheSyscalls().close(fd) != 0) return HomeError(errno);
    return released;
}

// A file system on a device of its own (a local disk) drops a descriptor's locks
// within its close. Network, FUSE and other virtual file systems have anonymous
// devices (major number 0) and may drop them later, as may a server.
bool LocksMayOutliveClose(const struct stat& info) { return major(info.st_dev) == 0; }

// Opens the descriptor behind a handle. It is opened for reading and writing
// whenever the file allows, whatever access the caller asked for (the handle
// enforces that access itself): only a descriptor open for writing can take the
// exclusive locks that every handle of the home platform can take. A file that
// cannot be opened so is opened with the access asked for. Only ordinary files
// are opened: a directory, device or pipe is refused (O_NONBLOCK keeps the open of
// a pipe from waiting for a writer).
int OpenDescriptor(const std::string& native, std::uint8_t access, int extraFlags, int& fd, bool& releaseBeforeClose) {
    constexpr int kCommon = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    fd = TheSyscalls().open(native.c_str(), O_RDWR | kCommon | extraFlags, kNewFileMode);
    if (fd < 0 && access != mode::ReadWrite &&
        (errno == EACCES || errno == EPERM || errno == EROFS || errno == ETXTBSY)) {
        const int narrow = access == mode::ReadOnly ? O_RDONLY : O_WRONLY;
        fd = TheSyscalls().open(native.c_str(), narrow | kCommon | extraFlags, kNewFileMode);
    }
    if (fd < 0) return HomeError(errno);
    struct stat info;
    int result = err::Ok;
    if (TheSyscalls().fstat(fd, &info) != 0)
        result = HomeError(errno);
    else if (!S_ISREG(info.st_mode))
        result = err::AccessDenied;
    if (result != err::Ok) {
        CloseDescriptor(fd, false);
        fd = -1;
        return result;
    }
    releaseBeforeClose = LocksMayOutliveClose(info);
    return err::Ok;
}

// Opens the file at native for a check before a rename or removal (the sharing
// marks of other handles), or reports that nothing stands in the way.
int CheckNoHandleOpen(const std::string& native) {
    const int fd = TheSyscalls().open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW, 0);
    if (fd < 0) {
        // Not a file this layer could have open (gone, a link, one it cannot read, a
        // device without a reader); any other failure leaves the question open.
        const bool noFile = errno == ENOENT || errno == ELOOP || errno == EACCES || errno == EPERM || errno == ENXIO;
        return noFile ? err::Ok : HomeError(errno);
    }
    const int result = CheckNotOpen(fd);
    CloseDescriptor(fd, false);  // it only looked
    return result;
}

// A rename that never replaces, where renameat2 cannot refuse to (a network file
// system gives EINVAL for RENAME_NOREPLACE): the new name is made by a call that
// fails when the name exists, so a file that another workstation makes under it
// between the look-up and the rename is never overwritten. A file gets the new name
// as a second link and then loses the old one. A directory cannot be linked: the
// new name is made as an empty directory, which a rename may replace and which
// nobody else can make meanwhile. A file system without links renames as before,
// the name having been found missing just above. Returns 0 or the errno.
int RenameWithoutReplacing(const char* from, const char* to) {
    struct stat info;
    if (TheSyscalls().lstat(from, &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) {
        if (TheSyscalls().mkdir(to, 0700) != 0) return errno;
        if (TheSyscalls().rename(from, to, 0) == 0) return 0;
        const int error = errno;
        TheSyscalls().rmdir(to);  // only the empty directory made just now
        return error;
    }
    if (TheSyscalls().link(from, to) != 0) {
        if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) return errno;
        return TheSyscalls().rename(from, to, 0) == 0 ? 0 : errno;
    }
    if (TheSyscalls().unlink(from) == 0) return 0;
    const int error = errno;
    TheSyscalls().unlink(to);  // the second link made just now: the file keeps its old name
    return error;
}

}  // namespace

static_assert(kLockLimit == kShareMarkBase, "data locks end where the sharing marks begin");

int CloseNative(std::intptr_t native, bool releaseBeforeClose) {
    return CloseDescriptor(static_cast<int>(native), releaseBeforeClose);
}

int LockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length) {
    return LockBytes(static_cast<int>(native), offset, length);
}

int UnlockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length) {
    return UnlockBytes(static_cast<int>(native), offset, length);
}

int OpenNative(std::string_view path, std::uint8_t openMode, std::intptr_t& native, bool& releaseBeforeClose) {
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return NoteFailure(found);
    if (!resolved.exists) return NoteFailure(err::FileNotFound);

    const std::uint8_t access = openMode & kAccessBits;
    // A handle that may write never goes through a symbolic link at the last
    // component: a link planted in the target tree could lead its writes anywhere.
    const int noFollow = access == mode::ReadOnly ? 0 : O_NOFOLLOW;
    int fd = -1;
    if (const int opened = OpenDescriptor(resolved.native, access, noFollow, fd, releaseBeforeClose);
        opened != err::Ok) {
        // Removed by another process since the listing remembered was read: the
        // listing learns it, so that a create of the name is not refused by it.
        if (opened == err::FileNotFound) NoteEntryRemoved(resolved.native);
        return opened;
    }
    if (const int shared = ClaimSharing(fd, access, openMode & kSharingBits); shared != err::Ok) {
        CloseDescriptor(fd, releaseBeforeClose);
        return shared;
    }
    native = fd;
    return err::Ok;
}

namespace {

// Why a new file cannot have the name of an existing entry: an ordinary file is
// there (AlreadyExists: the caller may open it), or a directory, a link or another
// kind of entry, which no open takes for a file (AccessDenied, as a create over a
// directory is refused on the home platform).
int NameTaken(const std::string& native) {
    struct stat info;
    if (TheSyscalls().lstat(native.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return err::AccessDenied;
    return err::AlreadyExists;
}

}  // namespace

// Creates the file, or, when replace allows, opens and empties an existing one.
// O_NOFOLLOW: a symbolic link planted under the name is never followed to truncate
// whatever it points at; the open fails with ELOOP (access denied). O_EXCL for a
// name the look-up found missing: the look-up (or the listing remembered for it) may
// be older than a file another process has made since. Such a file is never taken
// for a new one: without replace the create fails, with it the file is emptied as
// any existing one, under the same sharing check.
int MakeNative(std::string_view path, bool replace, std::intptr_t& native, bool& releaseBeforeClose) {
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return NoteFailure(found);
    if (resolved.exists && !replace) return NoteFailure(NameTaken(resolved.native));

    int fd = -1;
    int opened = OpenDescriptor(resolved.native, mode::ReadWrite,
                                O_CREAT | O_NOFOLLOW | (resolved.exists ? 0 : O_EXCL), fd, releaseBeforeClose);
    if (opened == err::AlreadyExists && !resolved.exists) {
        NoteEntryAdded(resolved.native);
        if (!replace) return NoteFailure(NameTaken(resolved.native));
        resolved.exists = true;
        opened = OpenDescriptor(resolved.native, mode::ReadWrite, O_CREAT | O_NOFOLLOW, fd, releaseBeforeClose);
    }
    if (opened != err::Ok) return opened;
    int result = ClaimSharing(fd, mode::ReadWrite, mode::DenyNone);
    if (result == err::Ok && resolved.exists && TheSyscalls().ftruncate(fd, 0) != 0) result = HomeError(errno);
    if (result != err::Ok) {
        CloseDescriptor(fd, releaseBeforeClose);
        return result;
    }
    if (!resolved.exists) NoteEntryAdded(resolved.native);
    native = fd;
    return err::Ok;
}

int ReadNative(std::intptr_t native, void* buffer, std::size_t size, std::size_t& got) {
    for (;;) {
        const ssize_t read = TheSyscalls().read(static_cast<int>(native), buffer, size);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return HomeError(errno);
        got = static_cast<std::size_t>(read);
        return err::Ok;
    }
}

int WriteNative(std::intptr_t native, const void* buffer, std::size_t size, std::size_t& put) {
    for (;;) {
        const ssize_t written = TheSyscalls().write(static_cast<int>(native), buffer, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return HomeError(errno);
        put = static_cast<std::size_t>(written);
        return err::Ok;
    }
}

static_assert(static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) == kLargestOffset, "offsets reach as far as the file system's");

int SeekNative(std::intptr_t native, std::uint64_t offset) {
    if (TheSyscalls().lseek(static_cast<int>(native), static_cast<off_t>(offset), SEEK_SET) < 0) return HomeError(errno);
    return err::Ok;
}

int SizeNative(std::intptr_t native, std::uint64_t& size) {
    struct stat info;
    if (TheSyscalls().fstat(static_cast<int>(native), &info) != 0) return HomeError(errno);
    size = static_cast<std::uint64_t>(info.st_size);
    return err::Ok;
}

int CurrentSizeNative(std::intptr_t native, std::uint64_t& size) {
    // A forced look-up: a FUSE or NFS client asks its server instead of answering
    // from the attributes it keeps for a while. Where statx is refused (an old
    // kernel, a sandbox), the size is asked the ordinary way.
    struct statx info;
    if (TheSyscalls().fstatx(static_cast<int>(native), AT_STATX_FORCE_SYNC, STATX_SIZE, &info) != 0)
        return errno == ENOSYS ? SizeNative(native, size) : HomeError(errno);
    size = static_cast<std::uint64_t>(info.stx_size);
    return err::Ok;
}

int FlushNative(std::intptr_t native, std::uint8_t /*access*/) {
    if (TheSyscalls().fsync(static_cast<int>(native)) != 0) return HomeError(errno);
    return err::Ok;
}

int TruncateNative(std::intptr_t native, std::uint64_t size) {
    if (TheSyscalls().ftruncate(static_cast<int>(native), static_cast<off_t>(size)) != 0) return HomeError(errno);
    return err::Ok;
}

int MakeDirectory(std::string_view path) {
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return found;
    if (resolved.exists) return err::AlreadyExists;
    if (TheSyscalls().mkdir(resolved.native.c_str(), 0777) != 0) {
        const int error = errno;
        // Made by another process since the look-up: the listing remembered learns it.
        if (error == EEXIST) NoteEntryAdded(resolved.native);
        return HomeError(error);
    }
    NoteDirectoryMade(resolved.native);
    return err::Ok;
}

int RenameFile(std::string_view from, std::string_view to) {
    ResolvedPath source;
    if (const int found = ResolvePath(from, source); found != err::Ok) return found;
    if (!source.exists) return err::FileNotFound;
    ResolvedPath target;
    if (const int found = ResolvePath(to, target); found != err::Ok) return found;
    if (target.exists) {
        // The target's name found in any case: another entry refuses the rename; the
        // source itself under another case is a change of the name's case.
        struct stat sourceInfo, targetInfo;
        if (TheSyscalls().lstat(source.native.c_str(), &sourceInfo) != 0) return HomeError(errno);
        if (TheSyscalls().lstat(target.native.c_str(), &targetInfo) != 0) return HomeError(errno);
        if (sourceInfo.st_dev != targetInfo.st_dev || sourceInfo.st_ino != targetInfo.st_ino)
            return err::AlreadyExists;
        if (target.givenNative == source.native) return err::Ok;
    }
    if (const int busy = CheckNoHandleOpen(source.native); busy != err::Ok) return busy;
    const unsigned flags = target.exists ? 0 : RENAME_NOREPLACE;
    const char* newName = target.givenNative.c_str();
    if (TheSyscalls().rename(source.native.c_str(), newName, flags) != 0) {
        const int error = flags != 0 && errno == EINVAL ? RenameWithoutReplacing(source.native.c_str(), newName) : errno;
        if (error != 0) return HomeError(error);
    }
    ForgetUnder(source.native);
    NoteEntryRemoved(source.native);
    NoteEntryAdded(target.givenNative);
    return err::Ok;
}

int RemoveFile(std::string_view path) {
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return NoteFailure(found);
    if (!resolved.exists) return NoteFailure(err::FileNotFound);
    if (const int busy = CheckNoHandleOpen(resolved.native); busy != err::Ok) return busy;
    if (TheSyscalls().unlink(resolved.native.c_str()) != 0) return HomeError(errno);
    NoteEntryRemoved(resolved.native);
    return err::Ok;
}

}  // namespace platform
