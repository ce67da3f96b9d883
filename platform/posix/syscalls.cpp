#include "platform/posix/syscalls.h"

#include <stdio.h>
#include <unistd.h>

namespace platform::posix {

namespace {

int openFile(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int lockFile(int fd, int command, struct flock* lock) { return ::fcntl(fd, command, lock); }
int renameFile(const char* from, const char* to, unsigned flags) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
}
int statFile(const char* path, struct stat* info) { return ::stat(path, info); }
int lstatFile(const char* path, struct stat* info) { return ::lstat(path, info); }
int fstatFile(int fd, struct stat* info) { return ::fstat(fd, info); }
int fstatxFile(int fd, int flags, unsigned mask, struct statx* info) {
    return ::statx(fd, "", AT_EMPTY_PATH | flags, mask, info);
}

const Syscalls kReal = {
    .open = openFile,
    .close = ::close,
    .read = ::read,
    .write = ::write,
    .lseek = ::lseek,
    .fstat = fstatFile,
    .fstatx = fstatxFile,
    .stat = statFile,
    .lstat = lstatFile,
    .ftruncate = ::ftruncate,
    .fsync = ::fsync,
    .futimens = ::futimens,
    .lock = lockFile,
    .opendir = ::opendir,
    .readdir = ::readdir,
    .closedir = ::closedir,
    .mkdir = ::mkdir,
    .rename = renameFile,
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

Syscalls& syscalls() { return gInUse; }
const Syscalls& realSyscalls() { return kReal; }

}  // namespace platform::posix
