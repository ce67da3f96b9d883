#include "platform/posix/syscalls.h"

#include <stdio.h>
#include <unistd.h>

namespace platform::posix {

namespace {

int OpenPath(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int LockFileRange(int fd, int command, struct flock* lock) { return ::fcntl(fd, command, lock); }
int RenameFile(const char* from, const char* to, unsigned flags) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
}
int StatFile(const char* path, struct stat* info) { return ::stat(path, info); }
int LstatFile(const char* path, struct stat* info) { return ::lstat(path, info); }
int FstatFile(int fd, struct stat* info) { return ::fstat(fd, info); }
int FstatxFile(int fd, int flags, unsigned mask, struct statx* info) {
    return ::statx(fd, "", AT_EMPTY_PATH | flags, mask, info);
}

const Syscalls kReal = {
    .open = OpenPath,
    .close = ::close,
    .read = ::read,
    .write = ::write,
    .lseek = ::lseek,
    .fstat = FstatFile,
    .fstatx = FstatxFile,
    .stat = StatFile,
    .lstat = LstatFile,
    .ftruncate = ::ftruncate,
    .fsync = ::fsync,
    .futimens = ::futimens,
    .lock = LockFileRange,
    .opendir = ::opendir,
    .readdir = ::readdir,
    .closedir = ::closedir,
    .mkdir = ::mkdir,
    .rename = RenameFile,
    .link = ::link,
    .unlink = ::unlink,
    .rmdir = ::rmdir,
    .syncfs = ::syncfs,
    .getcwd = ::getcwd,
    .readlink = ::readlink,
};

// The table of the process: a test swaps entries in it for the length of a case.
Syscalls gInUse = kReal;

}  // namespace

Syscalls& TheSyscalls() { return gInUse; }
const Syscalls& RealSyscalls() { return kReal; }

}  // namespace platform::posix
