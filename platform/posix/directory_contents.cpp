// Emptying a directory and making its files durable. Entries are looked at with
// lstat, so a symbolic link is always an entry of its own (unlinked, never entered);
// only real subdirectories are emptied and removed.
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "platform/disk_flush.h"
#include "platform/files.h"
#include "platform/posix/home_error.h"
#include "platform/posix/names.h"
#include "platform/posix/syscalls.h"

namespace platform {

using namespace posix;

namespace {

// The directory of a program path in native form, refused when it is a link.
int realDirectory(std::string_view path, std::string& native) {
    ResolvedPath resolved;
    if (const int found = resolvePath(path, resolved); found != err::Ok) return found;
    if (!resolved.exists) return err::PathNotFound;
    struct stat info;
    if (syscalls().lstat(resolved.native.c_str(), &info) != 0) return homeError(errno);
    if (S_ISLNK(info.st_mode)) return err::AccessDenied;
    if (!S_ISDIR(info.st_mode)) return err::PathNotFound;
    native = resolved.native;
    return err::Ok;
}

// Removes the entries of the native directory, all but the one whose key is keep
// (none when keep is empty).
int emptyNative(const std::string& directory, const NameKey& keep) {
    std::vector<std::string> names;
    int result = forEachEntryName(directory, [&](std::string_view name) {
        if (keep.empty() || keyOfDiskName(name) != keep) names.emplace_back(name);
        return err::Ok;
    });
    for (const std::string& name : names) {
        if (result != err::Ok) break;
        const std::string entry = joinNative(directory, name);
        struct stat info;
        if (syscalls().lstat(entry.c_str(), &info) != 0) {
            result = homeError(errno);
        } else if (S_ISDIR(info.st_mode)) {
            result = emptyNative(entry, {});
            if (result == err::Ok && syscalls().rmdir(entry.c_str()) != 0) result = homeError(errno);
        } else if (syscalls().unlink(entry.c_str()) != 0) {
            result = homeError(errno);
        }
    }
    return result;
}

}  // namespace

int emptyDirectory(std::string_view path, std::string_view keep) {
    std::string native;
    if (const int found = realDirectory(path, native); found != err::Ok) return found;
    return emptyNative(native, keyOfProgramName(keep));
}

namespace {

// Opens the directory of a program path; the descriptor or the error (negative).
int openDirectory(std::string_view path, int& fd) {
    std::string native;
    if (const int found = realDirectory(path, native); found != err::Ok) return found;
    fd = syscalls().open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    return fd < 0 ? homeError(errno) : err::Ok;
}

// Closes the descriptor a sync was called on; the sync's result, or the close's.
int closeSynced(int fd, int synced) {
    if (syscalls().close(fd) != 0 && synced == err::Ok) return homeError(errno);
    return synced;
}

// Opens the directory of a program path, calls sync on its descriptor and closes it.
int syncDirectory(std::string_view path, int (*sync)(int fd)) {
    int fd = -1;
    if (const int opened = openDirectory(path, fd); opened != err::Ok) return opened;
    return closeSynced(fd, sync(fd) == 0 ? err::Ok : homeError(errno));
}

// One call writes back the whole file system: the firm's files and the entries of its
// directory, whichever process wrote them.
int syncFileSystem(int fd) { return syscalls().syncfs(fd); }

}  // namespace

int makeDurable(std::string_view path) { return syncDirectory(path, syncFileSystem); }

// The thread gets the descriptor and gives back the result; the descriptor is opened
// and closed by the thread that begins and ends the flush.
struct DiskFlush::State {
    int fd = -1;
    int result = err::Ok;
    std::thread waiter;
};

DiskFlush::DiskFlush() : state_(std::make_unique<State>()) {}

DiskFlush::~DiskFlush() { static_cast<void>(end()); }

int DiskFlush::begin(std::string_view path) {
    static_cast<void>(end());
    if (const int opened = openDirectory(path, state_->fd); opened != err::Ok) return opened;
    State& state = *state_;
    state.waiter = std::thread([&state] { state.result = syncFileSystem(state.fd) == 0 ? err::Ok : homeError(errno); });
    return err::Ok;
}

int DiskFlush::end() {
    if (!state_->waiter.joinable()) return err::Ok;
    state_->waiter.join();
    return closeSynced(std::exchange(state_->fd, -1), state_->result);
}

int flushDirectory(std::string_view path) {
    return syncDirectory(path, [](int fd) { return syscalls().fsync(fd); });
}

}  // namespace platform
