#pragma once
// Every operating-system call of the POSIX file layer goes through this one table, so
// that a test can put its own function in an entry and make, say, the third write
// fail with ENOSPC, without special files or privileges. Production never changes
// the table.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <type_traits>

namespace platform::posix {

struct Syscalls {
    int (*open)(const char* path, int flags, mode_t mode);
    int (*close)(int fd);
    ssize_t (*read)(int fd, void* buffer, size_t size);
    ssize_t (*write)(int fd, const void* buffer, size_t size);
    off_t (*lseek)(int fd, off_t offset, int whence);
    int (*fstat)(int fd, struct stat* info);
    // statx of an open descriptor (AT_EMPTY_PATH), with the flags and mask given.
    int (*fstatx)(int fd, int flags, unsigned mask, struct statx* info);
    int (*stat)(const char* path, struct stat* info);
    int (*lstat)(const char* path, struct stat* info);
    int (*ftruncate)(int fd, off_t length);
    int (*fsync)(int fd);
    int (*futimens)(int fd, const struct timespec times[2]);
    // fcntl with a struct flock argument (F_OFD_SETLK, F_OFD_GETLK).
    int (*lock)(int fd, int command, struct flock* lock);
    DIR* (*opendir)(const char* path);
    struct dirent* (*readdir)(DIR* dir);
    int (*closedir)(DIR* dir);
    int (*mkdir)(const char* path, mode_t mode);
    // renameat2 in the current directory, with its flags (RENAME_NOREPLACE).
    int (*rename)(const char* from, const char* to, unsigned flags);
    // link: the new name of a rename where renameat2 cannot refuse to replace.
    int (*link)(const char* from, const char* to);
    int (*unlink)(const char* path);
    int (*rmdir)(const char* path);
    int (*syncfs)(int fd);
    char* (*getcwd)(char* buffer, size_t size);
    ssize_t (*readlink)(const char* path, char* buffer, size_t size);
};

// The table in use.
Syscalls& TheSyscalls();
// The table as production fills it.
const Syscalls& RealSyscalls();

// --- For tests ----------------------------------------------------------------------

// Puts function into one entry of the table for the lifetime of the object.
// Usage: ScopedSyscall<&Syscalls::write> guard(&myWrite);
template <auto Entry>
class ScopedSyscall {
public:
    using Function = std::remove_reference_t<decltype(std::declval<Syscalls&>().*Entry)>;
    explicit ScopedSyscall(Function function) : saved_(TheSyscalls().*Entry) { TheSyscalls().*Entry = function; }
    ~ScopedSyscall() { TheSyscalls().*Entry = saved_; }
    ScopedSyscall(const ScopedSyscall&) = delete;
    ScopedSyscall& operator=(const ScopedSyscall&) = delete;

private:
    Function saved_;
};

// Makes the n-th call (from 1) of one entry, counted from the object's creation,
// fail with the error; the other calls go to the function that the entry held
// before. With a filter, only the calls it accepts are counted (and can fail), so
// that a test can aim at, say, the second create of a file: the others go through
// uncounted. One object per entry at a time.
// Usage: FailNthCall<&Syscalls::open> fault(2, EACCES);
//        FailNthCall<&Syscalls::open> fault(3, EIO, +[](const char*, int flags, mode_t) {
//            return (flags & O_CREAT) != 0; });
template <auto Entry, typename Function = typename ScopedSyscall<Entry>::Function>
class FailNthCall;

template <auto Entry, typename Result, typename... Args>
class FailNthCall<Entry, Result (*)(Args...)> {
public:
    using Filter = bool (*)(Args...);

    FailNthCall(int n, int error, Filter counts = nullptr) : previous_(TheSyscalls().*Entry), guard_(&Call) {
        TheState() = State{n, error, 0, previous_, counts};
    }
    // How many counted calls the entry has had since the object was made.
    int CallCount() const { return TheState().calls; }

private:
    struct State {
        int failAt;
        int error;
        int calls;
        Result (*previous)(Args...);
        Filter counts;
    };
    static State& TheState() {
        static State value{};
        return value;
    }
    static Result Call(Args... args) {
        State& s = TheState();
        if (s.counts && !s.counts(args...)) return s.previous(args...);
        if (++s.calls == s.failAt) {
            errno = s.error;
            if constexpr (std::is_pointer_v<Result>)
                return nullptr;
            else
                return static_cast<Result>(-1);
        }
        return s.previous(args...);
    }

    Result (*previous_)(Args...);
    ScopedSyscall<Entry> guard_;
};

// Makes the n-th write (from 1), counted from the object's creation, stop halfway,
// as on a disk that fills up during the write: it writes half of the bytes offered
// and the write that follows (the file layer's attempt at the rest) fails with
// ENOSPC. A write of a single byte fails with ENOSPC at once. Other writes go to the
// function that the entry held before. One object at a time.
class ShortNthWrite {
public:
    explicit ShortNthWrite(int n) : guard_(&Call) { TheState() = State{n, 0, false, previous_}; }
    // How many writes there were since the object was made, the failing one after
    // the short write not counted.
    int CallCount() const { return TheState().calls; }

private:
    using Write = ssize_t (*)(int, const void*, size_t);
    struct State {
        int shortAt;
        int calls;
        bool failNext;
        Write previous;
    };
    static State& TheState() {
        static State value{};
        return value;
    }
    static ssize_t Call(int fd, const void* buffer, size_t size) {
        State& s = TheState();
        if (s.failNext) {
            s.failNext = false;
            errno = ENOSPC;
            return -1;
        }
        if (++s.calls != s.shortAt) return s.previous(fd, buffer, size);
        if (size < 2) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t written = s.previous(fd, buffer, size / 2);
        s.failNext = written >= 0;
        return written;
    }

    Write previous_ = TheSyscalls().write;
    ScopedSyscall<&Syscalls::write> guard_;
};

}  // namespace platform::posix
