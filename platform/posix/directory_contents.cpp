// Emptying a directory, making its files durable and reading them ahead. Entries are looked at with
// lstat, so a symbolic link is always an entry of its own (unlinked, never entered);
// only real subdirectories are emptied and removed.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/disk_flush.h"
#include "platform/files.h"
#include "platform/read_ahead.h"
#include "platform/posix/home_error.h"
#include "platform/posix/names.h"
#include "platform/posix/syscalls.h"

namespace platform {

using namespace posix;

namespace {

// The directory of a program path in native form, refused when it is a link.
int RealDirectory(std::string_view path, std::string& native) {
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return found;
    if (!resolved.exists) return err::PathNotFound;
    struct stat info;
    if (TheSyscalls().lstat(resolved.native.c_str(), &info) != 0) return HomeError(errno);
    if (S_ISLNK(info.st_mode)) return err::AccessDenied;
    if (!S_ISDIR(info.st_mode)) return err::PathNotFound;
    native = resolved.native;
    return err::Ok;
}

// Removes the entries of the native directory, all but the one whose key is keep
// (none when keep is empty).
int EmptyNative(const std::string& directory, const NameKey& keep) {
    std::vector<std::string> names;
    int result = ForEachEntryName(directory, [&](std::string_view name) {
        if (keep.empty() || KeyOfDiskName(name) != keep) names.emplace_back(name);
        return err::Ok;
    });
    for (const std::string& name : names) {
        if (result != err::Ok) break;
        const std::string entry = JoinNative(directory, name);
        struct stat info;
        if (TheSyscalls().lstat(entry.c_str(), &info) != 0) {
            result = HomeError(errno);
        } else if (S_ISDIR(info.st_mode)) {
            result = EmptyNative(entry, {});
            if (result == err::Ok && TheSyscalls().rmdir(entry.c_str()) != 0) result = HomeError(errno);
        } else if (TheSyscalls().unlink(entry.c_str()) != 0) {
            result = HomeError(errno);
        }
    }
    return result;
}

}  // namespace

int EmptyDirectory(std::string_view path, std::string_view keep) {
    std::string native;
    if (const int found = RealDirectory(path, native); found != err::Ok) return found;
    return EmptyNative(native, KeyOfProgramName(keep));
}

namespace {

// Opens the directory of a program path; the descriptor or the error (negative).
int OpenDirectory(std::string_view path, int& fd) {
    std::string native;
    if (const int found = RealDirectory(path, native); found != err::Ok) return found;
    fd = TheSyscalls().open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    return fd < 0 ? HomeError(errno) : err::Ok;
}

// Closes the descriptor a sync was called on; the sync's result, or the close's.
int CloseSynced(int fd, int synced) {
    if (TheSyscalls().close(fd) != 0 && synced == err::Ok) return HomeError(errno);
    return synced;
}

// Opens the directory of a program path, calls sync on its descriptor and closes it.
int SyncDirectory(std::string_view path, int (*sync)(int fd)) {
    int fd = -1;
    if (const int opened = OpenDirectory(path, fd); opened != err::Ok) return opened;
    return CloseSynced(fd, sync(fd) == 0 ? err::Ok : HomeError(errno));
}

// One call writes back the whole file system: the firm's files and the entries of its
// directory, whichever process wrote them.
int SyncFileSystem(int fd) { return TheSyscalls().syncfs(fd); }

}  // namespace

int MakeDurable(std::string_view path) { return SyncDirectory(path, SyncFileSystem); }

// The thread gets a descriptor of one directory on each file system to write back,
// and the native path of the file alongside when it is on none of them (syncfs
// writes back the file when it is on one), and gives back errno values: the
// translation into the home platform's numbers notes the process's last failure,
// which is the program's thread's to do. The descriptors are opened and closed by
// the thread that begins and ends the flush.
struct DiskFlush::State {
    std::vector<int> fds;
    std::string alongside;
    int alongsideFound = err::Ok;  // the file alongside could not be looked at
    int syncErrno = 0;
    int alongsideErrno = 0;
    std::atomic<bool> finished{true};
    std::thread waiter;
};

namespace {

// The native path of the file at path when it is on none of the devices; empty when
// it is on one of them.
int AlongsideElsewhere(const std::vector<dev_t>& devices, std::string_view path, std::string& native) {
    native.clear();
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return found;
    struct stat file {};
    if (TheSyscalls().stat(resolved.native.c_str(), &file) != 0) return HomeError(errno);
    if (std::find(devices.begin(), devices.end(), file.st_dev) == devices.end()) native = resolved.native;
    return err::Ok;
}

// A directory opened only to be looked at or synced later: its close can lose
// nothing, whatever it returns.
void CloseUnsynced(int fd) { static_cast<void>(TheSyscalls().close(fd)); }

// Opens the directories, keeping one descriptor for each file system they are on
// (one syncfs writes back the whole file system), with the devices in the same
// order; closes them all and gives the error when one cannot be opened or examined.
int OpenOnePerFileSystem(std::span<const std::string> paths, std::vector<int>& fds, std::vector<dev_t>& devices) {
    int result = err::Ok;
    for (const std::string& path : paths) {
        int fd = -1;
        if (result = OpenDirectory(path, fd); result != err::Ok) break;
        struct stat info {};
        if (TheSyscalls().fstat(fd, &info) != 0) {
            result = HomeError(errno);
            CloseUnsynced(fd);
            break;
        }
        if (std::find(devices.begin(), devices.end(), info.st_dev) != devices.end()) {
            CloseUnsynced(fd);
            continue;
        }
        fds.push_back(fd);
        devices.push_back(info.st_dev);
    }
    if (result != err::Ok) {
        for (const int fd : fds) CloseUnsynced(fd);
        fds.clear();
    }
    return result;
}

// fsync of the file at the native path; 0 or the errno.
int SyncFile(const std::string& native) {
    const int fd = TheSyscalls().open(native.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) return errno;
    const int synced = TheSyscalls().fsync(fd) == 0 ? 0 : errno;
    const int closed = TheSyscalls().close(fd) == 0 ? 0 : errno;
    return synced != 0 ? synced : closed;
}

}  // namespace

DiskFlush::DiskFlush() : state_(std::make_unique<State>()) {}

DiskFlush::~DiskFlush() {
    int alongside = err::Ok;
    static_cast<void>(End(alongside));
}

int DiskFlush::Begin(std::span<const std::string> paths, std::string_view alongside) {
    int lost = err::Ok;
    static_cast<void>(End(lost));
    State& state = *state_;
    std::vector<dev_t> devices;
    if (const int opened = OpenOnePerFileSystem(paths, state.fds, devices); opened != err::Ok) return opened;
    if (state.fds.empty()) return err::Ok;
    state.alongsideFound = alongside.empty() ? err::Ok : AlongsideElsewhere(devices, alongside, state.alongside);
    if (state.alongsideFound != err::Ok) state.alongside.clear();
    state.syncErrno = 0;
    state.finished.store(false);
    state.waiter = std::thread([&state] {
        for (const int fd : state.fds)
            if (SyncFileSystem(fd) != 0 && state.syncErrno == 0) state.syncErrno = errno;
        state.alongsideErrno = state.alongside.empty() ? 0 : SyncFile(state.alongside);
        state.finished.store(true, std::memory_order_release);
    });
    return err::Ok;
}

bool DiskFlush::Finished() const { return state_->finished.load(std::memory_order_acquire); }

int DiskFlush::End(int& alongside) {
    alongside = err::Ok;
    State& state = *state_;
    if (!state.waiter.joinable()) return err::Ok;
    state.waiter.join();
    alongside = state.alongsideErrno != 0 ? HomeError(state.alongsideErrno) : state.alongsideFound;
    int result = state.syncErrno == 0 ? err::Ok : HomeError(state.syncErrno);
    for (const int fd : std::exchange(state.fds, {})) result = CloseSynced(fd, result);
    return result;
}

int FlushDirectory(std::string_view path) {
    return SyncDirectory(path, [](int fd) { return TheSyscalls().fsync(fd); });
}

// The thread gets the directory's descriptor and owns it from then on. It calls the
// system directly, not through the table of system calls: its calls have no result
// for the program, and the program's own calls, counted or failed on purpose by the
// tests, stay the program's alone. Entries whose kind the listing does not tell are
// passed over, so that nothing but an ordinary file is ever opened.
struct ReadAhead::State {
    std::thread reader;
};

namespace {

void ReadAheadFiles(int fd) {
    DIR* directory = ::fdopendir(fd);
    if (!directory) {
        ::close(fd);
        return;
    }
    while (const dirent* entry = ::readdir(directory)) {
        if (entry->d_type != DT_REG) continue;
        const int file = ::openat(::dirfd(directory), entry->d_name,
                                  O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW);
        if (file < 0) continue;
        ::posix_fadvise(file, 0, 0, POSIX_FADV_WILLNEED);
        ::close(file);
    }
    ::closedir(directory);
}

}  // namespace

ReadAhead::ReadAhead() : state_(std::make_unique<State>()) {}

ReadAhead::~ReadAhead() { End(); }

void ReadAhead::Begin(std::string_view path) {
    End();
    int fd = -1;
    if (OpenDirectory(path, fd) != err::Ok) return;
    state_->reader = std::thread(ReadAheadFiles, fd);
}

void ReadAhead::End() {
    if (state_->reader.joinable()) state_->reader.join();
}

}  // namespace platform
