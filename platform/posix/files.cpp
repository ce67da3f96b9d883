// Files on a POSIX system with the home platform's behaviour: shared open with
// sharing modes, byte-range locks on the handle, case-insensitive names and the home
// platform's error numbers. The lock and sharing protocol is in file_locks.cpp.
#include "platform/files.h"

#include <stdio.h>  // RENAME_NOREPLACE

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

// The locks go before the descriptor: a removal or a look from another handle right
// after the close must not find this handle's marks (over a FUSE mount they stayed
// on the server for a moment after close returned, and the in-progress mark of a
// firm, seen as still open, was left behind).
int closeDescriptor(int fd) {
    const int released = releaseLocks(fd);
    if (syscalls().close(fd) != 0) return homeError(errno);
    return released;
}

// Opens the descriptor behind a handle. It is opened for reading and writing
// whenever the file allows, whatever access the caller asked for (the handle
// enforces that access itself): only a descriptor open for writing can take the
// exclusive locks that every handle of the home platform can take. A file that
// cannot be opened so is opened with the access asked for. Only ordinary files
// are opened: a directory, device or pipe is refused (O_NONBLOCK keeps the open of
// a pipe from waiting for a writer).
int openDescriptor(const std::string& native, std::uint8_t access, int extraFlags, int& fd) {
    constexpr int kCommon = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    fd = syscalls().open(native.c_str(), O_RDWR | kCommon | extraFlags, kNewFileMode);
    if (fd < 0 && access != mode::ReadWrite &&
        (errno == EACCES || errno == EPERM || errno == EROFS || errno == ETXTBSY)) {
        const int narrow = access == mode::ReadOnly ? O_RDONLY : O_WRONLY;
        fd = syscalls().open(native.c_str(), narrow | kCommon | extraFlags, kNewFileMode);
    }
    if (fd < 0) return homeError(errno);
    struct stat info;
    int result = err::Ok;
    if (syscalls().fstat(fd, &info) != 0)
        result = homeError(errno);
    else if (!S_ISREG(info.st_mode))
        result = err::AccessDenied;
    if (result != err::Ok) {
        closeDescriptor(fd);
        fd = -1;
    }
    return result;
}

// Opens the file at native for a check before a rename or removal (the sharing
// marks of other handles), or reports that nothing stands in the way.
int checkNoHandleOpen(const std::string& native) {
    const int fd = syscalls().open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW, 0);
    if (fd < 0) {
        // Not a file this layer could have open (gone, a link, one it cannot read, a
        // device without a reader); any other failure leaves the question open.
        const bool noFile = errno == ENOENT || errno == ELOOP || errno == EACCES || errno == EPERM || errno == ENXIO;
        return noFile ? err::Ok : homeError(errno);
    }
    const int result = checkNotOpen(fd);
    closeDescriptor(fd);
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
int renameWithoutReplacing(const char* from, const char* to) {
    struct stat info;
    if (syscalls().lstat(from, &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) {
        if (syscalls().mkdir(to, 0700) != 0) return errno;
        if (syscalls().rename(from, to, 0) == 0) return 0;
        const int error = errno;
        syscalls().rmdir(to);  // only the empty directory made just now
        return error;
    }
    if (syscalls().link(from, to) != 0) {
        if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) return errno;
        return syscalls().rename(from, to, 0) == 0 ? 0 : errno;
    }
    if (syscalls().unlink(from) == 0) return 0;
    const int error = errno;
    syscalls().unlink(to);  // the second link made just now: the file keeps its old name
    return error;
}

}  // namespace

static_assert(kLockLimit == kShareMarkBase, "data locks end where the sharing marks begin");

int closeNative(std::intptr_t native) { return closeDescriptor(static_cast<int>(native)); }

int lockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length) {
    return lockBytes(static_cast<int>(native), offset, length);
}

int unlockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length) {
    return unlockBytes(static_cast<int>(native), offset, length);
}

int openNative(std::string_view path, std::uint8_t openMode, std::intptr_t& native) {
    ResolvedPath resolved;
    if (const int found = resolvePath(path, resolved); found != err::Ok) return noteFailure(found);
    if (!resolved.exists) return noteFailure(err::FileNotFound);

    const std::uint8_t access = openMode & kAccessBits;
    // A handle that may write never goes through a symbolic link at the last
    // component: a link planted in the target tree could lead its writes anywhere.
    const int noFollow = access == mode::ReadOnly ? 0 : O_NOFOLLOW;
    int fd = -1;
    if (const int opened = openDescriptor(resolved.native, access, noFollow, fd); opened != err::Ok) {
        // Removed by another process since the listing remembered was read: the
        // listing learns it, so that a create of the name is not refused by it.
        if (opened == err::FileNotFound) noteEntryRemoved(resolved.native);
        return opened;
    }
    if (const int shared = claimSharing(fd, access, openMode & kSharingBits); shared != err::Ok) {
        closeDescriptor(fd);
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
int nameTaken(const std::string& native) {
    struct stat info;
    if (syscalls().lstat(native.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return err::AccessDenied;
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
int makeNative(std::string_view path, bool replace, std::intptr_t& native) {
    ResolvedPath resolved;
    if (const int found = resolvePath(path, resolved); found != err::Ok) return noteFailure(found);
    if (resolved.exists && !replace) return noteFailure(nameTaken(resolved.native));

    int fd = -1;
    int opened = openDescriptor(resolved.native, mode::ReadWrite,
                                O_CREAT | O_NOFOLLOW | (resolved.exists ? 0 : O_EXCL), fd);
    if (opened == err::AlreadyExists && !resolved.exists) {
        noteEntryAdded(resolved.native);
        if (!replace) return noteFailure(nameTaken(resolved.native));
        resolved.exists = true;
        opened = openDescriptor(resolved.native, mode::ReadWrite, O_CREAT | O_NOFOLLOW, fd);
    }
    if (opened != err::Ok) return opened;
    int result = claimSharing(fd, mode::ReadWrite, mode::DenyNone);
    if (result == err::Ok && resolved.exists && syscalls().ftruncate(fd, 0) != 0) result = homeError(errno);
    if (result != err::Ok) {
        closeDescriptor(fd);
        return result;
    }
    if (!resolved.exists) noteEntryAdded(resolved.native);
    native = fd;
    return err::Ok;
}

int readNative(std::intptr_t native, void* buffer, std::size_t size, std::size_t& got) {
    for (;;) {
        const ssize_t read = syscalls().read(static_cast<int>(native), buffer, size);
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) return homeError(errno);
        got = static_cast<std::size_t>(read);
        return err::Ok;
    }
}

int writeNative(std::intptr_t native, const void* buffer, std::size_t size, std::size_t& put) {
    for (;;) {
        const ssize_t written = syscalls().write(static_cast<int>(native), buffer, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return homeError(errno);
        put = static_cast<std::size_t>(written);
        return err::Ok;
    }
}

static_assert(static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) == kLargestOffset, "offsets reach as far as the file system's");

int seekNative(std::intptr_t native, std::uint64_t offset) {
    if (syscalls().lseek(static_cast<int>(native), static_cast<off_t>(offset), SEEK_SET) < 0) return homeError(errno);
    return err::Ok;
}

int sizeNative(std::intptr_t native, std::uint64_t& size) {
    struct stat info;
    if (syscalls().fstat(static_cast<int>(native), &info) != 0) return homeError(errno);
    size = static_cast<std::uint64_t>(info.st_size);
    return err::Ok;
}

int currentSizeNative(std::intptr_t native, std::uint64_t& size) {
    // A forced look-up: a FUSE or NFS client asks its server instead of answering
    // from the attributes it keeps for a while. Where statx is refused (an old
    // kernel, a sandbox), the size is asked the ordinary way.
    struct statx info;
    if (syscalls().fstatx(static_cast<int>(native), AT_STATX_FORCE_SYNC, STATX_SIZE, &info) != 0)
        return errno == ENOSYS ? sizeNative(native, size) : homeError(errno);
    size = static_cast<std::uint64_t>(info.stx_size);
    return err::Ok;
}

int flushNative(std::intptr_t native, std::uint8_t /*access*/) {
    if (syscalls().fsync(static_cast<int>(native)) != 0) return homeError(errno);
    return err::Ok;
}

int truncateNative(std::intptr_t native, std::uint64_t size) {
    if (syscalls().ftruncate(static_cast<int>(native), static_cast<off_t>(size)) != 0) return homeError(errno);
    return err::Ok;
}

int makeDirectory(std::string_view path) {
    ResolvedPath resolved;
    if (const int found = resolvePath(path, resolved); found != err::Ok) return found;
    if (resolved.exists) return err::AlreadyExists;
    if (syscalls().mkdir(resolved.native.c_str(), 0777) != 0) {
        const int error = errno;
        // Made by another process since the look-up: the listing remembered learns it.
        if (error == EEXIST) noteEntryAdded(resolved.native);
        return homeError(error);
    }
    noteDirectoryMade(resolved.native);
    return err::Ok;
}

int renameFile(std::string_view from, std::string_view to) {
    ResolvedPath source;
    if (const int found = resolvePath(from, source); found != err::Ok) return found;
    if (!source.exists) return err::FileNotFound;
    ResolvedPath target;
    if (const int found = resolvePath(to, target); found != err::Ok) return found;
    if (target.exists) {
        // The target's name found in any case: another entry refuses the rename; the
        // source itself under another case is a change of the name's case.
        struct stat sourceInfo, targetInfo;
        if (syscalls().lstat(source.native.c_str(), &sourceInfo) != 0) return homeError(errno);
        if (syscalls().lstat(target.native.c_str(), &targetInfo) != 0) return homeError(errno);
        if (sourceInfo.st_dev != targetInfo.st_dev || sourceInfo.st_ino != targetInfo.st_ino)
            return err::AlreadyExists;
        if (target.givenNative == source.native) return err::Ok;
    }
    if (const int busy = checkNoHandleOpen(source.native); busy != err::Ok) return busy;
    const unsigned flags = target.exists ? 0 : RENAME_NOREPLACE;
    const char* newName = target.givenNative.c_str();
    if (syscalls().rename(source.native.c_str(), newName, flags) != 0) {
        const int error = flags != 0 && errno == EINVAL ? renameWithoutReplacing(source.native.c_str(), newName) : errno;
        if (error != 0) return homeError(error);
    }
    forgetUnder(source.native);
    noteEntryRemoved(source.native);
    noteEntryAdded(target.givenNative);
    return err::Ok;
}

int removeFile(std::string_view path) {
    ResolvedPath resolved;
    if (const int found = resolvePath(path, resolved); found != err::Ok) return noteFailure(found);
    if (!resolved.exists) return noteFailure(err::FileNotFound);
    if (const int busy = checkNoHandleOpen(resolved.native); busy != err::Ok) return busy;
    if (syscalls().unlink(resolved.native.c_str()) != 0) return homeError(errno);
    noteEntryRemoved(resolved.native);
    return err::Ok;
}

}  // namespace platform
