// The lock protocol of the POSIX file layer.
//
// Byte-range locks. On the data's home platform a byte-range lock belongs to the
// file handle that took it: it conflicts with every other handle (of the same
// process too) and goes when that handle is closed. Workstations sharing a data tree
// coordinate through three such locks: the whole-file lock (2 147 483 647 bytes from
// offset 0) while a record file changes, a record lock (the record's bytes), and
// the lock of the first byte that guards a text file while it is rewritten.
//
// Classic POSIX record locks (F_SETLK) are wrong for this. They belong to the
// process, not to the handle: two handles of one process never conflict, so a
// second open of the registry would "get" a lock the first one holds. And closing
// ANY descriptor of a file drops ALL of the process's locks on it, so closing a
// handle that only looked at the file's size would silently unlock a record that
// another handle is rewriting. Open-file-description locks (F_OFD_SETLK) belong to
// the open file description that one open() made, and here one FileHandle is one
// open() that is never duplicated: they conflict between handles and live until
// that handle is closed, as on the home platform. They never block here
// (F_OFD_SETLK, not ...SETLKW): a busy range fails at once with LockViolation, and
// the shared file layer above polls with its own counts and pauses.
//
// Rules the home platform keeps and POSIX does not; the file layer keeps them with
// the ranges each FileHandle records:
//   - a handle may not lock a range overlapping one it already holds (POSIX would
//     merge the two silently, and one unlock would then free both);
//   - an unlock must name exactly a range that was locked (NotLocked otherwise).
// Locks are advisory here: a read or write is not stopped by another handle's lock
// as on the home platform. Every writer of shared files in this program takes its
// lock before it changes anything, so only programs that never lock see the
// difference.
//
// Sharing modes. The home platform compares, at open, the new handle's access and
// denials with those of every handle already open on the file, and refuses a
// conflict with a sharing violation. POSIX has no sharing modes; they are emulated
// with shared OFD locks, "marks", on four bytes from kShareMarkBase, far from any
// data lock:
//   base + 0  reading         held by every handle opened with read access
//   base + 1  writing         held by every handle opened with write access
//   base + 2  denying read    held by every handle opened deny read or deny all
//   base + 3  denying write   held by every handle opened deny write or deny all
// Sharing bits of the open mode: 0x10 deny all takes both denying marks; 0x20 deny
// write takes "denying write"; 0x30 deny read takes "denying read"; 0x40 deny none
// and 0x00 (the old compatibility mode, in which one program may open a file many
// times) take none.
// A new handle first takes its marks and then looks (F_OFD_GETLK, which ignores the
// handle's own locks) for another handle's mark on the opposite byte: read access
// against "denying read", write access against "denying write", denying read
// against "reading", denying write against "writing". A mark found is a conflict:
// the new handle drops its marks and the open fails with SharingViolation. Taking
// before looking closes the race of two opens at the same moment: at least one of
// them sees the other (both may; both then fail and retry, as callers do after a
// sharing violation). Create-or-truncate is an open with read and write access that
// denies nothing, and the truncation waits until the marks are checked, so a file
// open deny-write elsewhere is never emptied. Rename and removal are refused while
// any mark is held, as the home platform refuses them for a file open anywhere.
// Marks are shared locks and never conflict with one another. A descriptor that
// cannot read (a file that may be written but not read) can only take exclusive
// locks; its marks are then exclusive and may refuse an open that the home
// platform would allow. Only programs that follow this protocol see the marks.
#include "platform/posix/file_locks.h"

#include <sys/stat.h>

#include "platform/files.h"
#include "platform/posix/home_error.h"
#include "platform/posix/syscalls.h"

namespace platform::posix {

namespace {

enum Mark : std::uint64_t { Reading = 0, Writing = 1, DenyingRead = 2, DenyingWrite = 3 };
constexpr std::uint64_t kMarkCount = 4;

struct flock RangeOf(short type, std::uint64_t offset, std::uint64_t length) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(offset);
    lock.l_len = static_cast<off_t>(length);
    lock.l_pid = 0;  // required by the OFD commands
    return lock;
}

// Takes a lock on the range, shared or exclusive; a descriptor that lacks the access
// the lock type needs (EBADF) gets the other type.
int SetLock(int fd, short type, std::uint64_t offset, std::uint64_t length) {
    struct flock lock = RangeOf(type, offset, length);
    if (TheSyscalls().lock(fd, F_OFD_SETLK, &lock) == 0) return err::Ok;
    if (errno != EBADF) return HomeError(errno, Failed::Lock);
    lock = RangeOf(type == F_RDLCK ? F_WRLCK : F_RDLCK, offset, length);
    if (TheSyscalls().lock(fd, F_OFD_SETLK, &lock) == 0) return err::Ok;
    return HomeError(errno, Failed::Lock);
}

// Whether another handle holds any lock in the range; error receives a failure.
bool HeldElsewhere(int fd, std::uint64_t offset, std::uint64_t length, int& error) {
    struct flock lock = RangeOf(F_WRLCK, offset, length);
    if (TheSyscalls().lock(fd, F_OFD_GETLK, &lock) != 0) {
        error = HomeError(errno);
        return false;
    }
    return lock.l_type != F_UNLCK;
}

// The marks of a set (bit n for mark n) as runs of adjacent marks, so that each
// run takes one call: a handle reading and writing takes bytes 0-1 at once.
template <typename Each>
int ForEachRun(unsigned set, Each&& each) {
    for (std::uint64_t first = 0; first < kMarkCount;) {
        if (!(set >> first & 1u)) {
            ++first;
            continue;
        }
        std::uint64_t end = first;
        while (end < kMarkCount && (set >> end & 1u)) ++end;
        if (const int result = each(kShareMarkBase + first, end - first); result != err::Ok) return result;
        first = end;
    }
    return err::Ok;
}

}  // namespace

int ClaimSharing(int fd, std::uint8_t access, std::uint8_t sharing) {
    const bool reads = access != mode::WriteOnly;
    const bool writes = access != mode::ReadOnly;
    const bool deniesRead = sharing == mode::DenyAll || sharing == mode::DenyRead;
    const bool deniesWrite = sharing == mode::DenyAll || sharing == mode::DenyWrite;

    // The marks this handle takes, and the opposite marks it looks for.
    const struct {
        bool held;
        Mark mark;
        Mark opposite;
    } marks[] = {
        {reads, Reading, DenyingRead},
        {writes, Writing, DenyingWrite},
        {deniesRead, DenyingRead, Reading},
        {deniesWrite, DenyingWrite, Writing},
    };
    unsigned taken = 0;
    unsigned looked = 0;
    for (const auto& m : marks) {
        if (!m.held) continue;
        taken |= 1u << m.mark;
        looked |= 1u << m.opposite;
    }
    int result = ForEachRun(taken, [fd](std::uint64_t offset, std::uint64_t length) {
        return SetLock(fd, F_RDLCK, offset, length);
    });
    if (result == err::Ok) {
        result = ForEachRun(looked, [fd](std::uint64_t offset, std::uint64_t length) {
            int error = err::Ok;
            return HeldElsewhere(fd, offset, length, error) ? err::SharingViolation : error;
        });
    }
    if (result != err::Ok) {
        struct flock release = RangeOf(F_UNLCK, kShareMarkBase, kMarkCount);
        TheSyscalls().lock(fd, F_OFD_SETLK, &release);
    }
    return result;
}

int CheckNotOpen(int fd) {
    int error = err::Ok;
    if (HeldElsewhere(fd, kShareMarkBase, kMarkCount, error)) return err::SharingViolation;
    return error;
}

// The lock is the one moment at which workstations agree on a file, but a network
// file system may still answer from this workstation's cache: the size and the
// pages it kept from before another workstation changed the file under its lock
// (over a FUSE mount for a second or so, whatever fstat, statx or a read to the end
// asks). Setting the access time is a change the file system must take to the
// server, whose answer brings the file's size, and the cached pages are dropped
// with it. A file whose times this user may not set (another's file, read-only
// media) keeps the view the file system gives.
int Revalidate(int fd) {
    static const struct timespec kAccessedNow[2] = {{0, UTIME_NOW}, {0, UTIME_OMIT}};
    if (TheSyscalls().futimens(fd, kAccessedNow) == 0) return err::Ok;
    if (errno == EPERM || errno == EACCES || errno == EROFS) return err::Ok;
    return HomeError(errno);
}

int LockBytes(int fd, std::uint64_t offset, std::uint64_t length) {
    if (const int locked = SetLock(fd, F_WRLCK, offset, length); locked != err::Ok) return locked;
    const int revalidated = Revalidate(fd);
    if (revalidated != err::Ok) {
        struct flock release = RangeOf(F_UNLCK, offset, length);
        TheSyscalls().lock(fd, F_OFD_SETLK, &release);
    }
    return revalidated;
}

int ReleaseLocks(int fd) {
    struct flock all = RangeOf(F_UNLCK, 0, 0);  // a length of 0: to the end of every offset
    return TheSyscalls().lock(fd, F_OFD_SETLK, &all) == 0 ? err::Ok : HomeError(errno, Failed::Lock);
}

int UnlockBytes(int fd, std::uint64_t offset, std::uint64_t length) {
    struct flock lock = RangeOf(F_UNLCK, offset, length);
    if (TheSyscalls().lock(fd, F_OFD_SETLK, &lock) == 0) return err::Ok;
    return HomeError(errno, Failed::Lock);
}

}  // namespace platform::posix
