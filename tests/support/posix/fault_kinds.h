#pragma once
// The ways the operating system can fail the converter's file work, each aimed at
// the n-th call of its kind, for tests that run a whole conversion once per call
// that a clean run makes. POSIX only: the faults go into the file layer's call table.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/syscalls.h"

namespace qztest {

// A fault in place; removed again when the object goes.
class InjectedFault {
public:
    virtual ~InjectedFault() = default;
    // The calls of the fault's kind since it was put in place.
    virtual int CallCount() const = 0;
};

template <typename Fault>
class HeldFault : public InjectedFault {
public:
    template <typename... Args>
    explicit HeldFault(Args... args) : fault_(args...) {}
    int CallCount() const override { return fault_.CallCount(); }

private:
    Fault fault_;
};

// Whether a descriptor is open on a file of that name (any directory).
inline bool DescriptorNames(int fd, std::string_view name) {
    char target[4096];
    const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
    return length > 0 && std::string_view(target, static_cast<std::size_t>(length)).ends_with("/" + std::string(name));
}
inline bool OnFirmText(int fd) { return DescriptorNames(fd, "FIRMATXT.INI"); }

// An fstat that places every file on an anonymous device, as a network or virtual
// file system does (for ScopedSyscall<&Syscalls::fstat>).
inline int OnAnonymousDevice(int fd, struct stat* info) {
    const int result = platform::posix::RealSyscalls().fstat(fd, info);
    info->st_dev = makedev(0, 42);
    return result;
}
// Whether the directory is on a local disk (its own device).
inline bool OnLocalDisk(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && major(info.st_dev) != 0;
}

// A close that releases the descriptor, as the system always does, and then reports
// an error (EIO: the data written before may not have reached the disk). With a
// filter, only the closes it accepts are counted (and can fail).
class CloseFailsNth {
public:
    explicit CloseFailsNth(int n, bool (*counts)(int fd) = nullptr) : guard_(&Call) {
        TheState() = State{n, 0, previous_, counts};
    }
    int CallCount() const { return TheState().calls; }

private:
    struct State {
        int failAt;
        int calls;
        int (*previous)(int);
        bool (*counts)(int);
    };
    static State& TheState() {
        static State value{};
        return value;
    }
    static int Call(int fd) {
        State& s = TheState();
        if (s.counts && !s.counts(fd)) return s.previous(fd);
        const int closed = s.previous(fd);
        if (++s.calls != s.failAt || closed != 0) return closed;
        errno = EIO;
        return -1;
    }

    int (*previous_)(int) = platform::posix::TheSyscalls().close;
    platform::posix::ScopedSyscall<&platform::posix::Syscalls::close> guard_;
};

// The firm text file on a network drive, whose n-th flush to the server fails.
class FirmTextFlushFailsNth {
public:
    explicit FirmTextFlushFailsNth(int n) : fails_(n, EIO, &OnFirmText) {}
    int CallCount() const { return fails_.CallCount(); }

private:
    static int Examine(int fd, struct stat* info) {
        return OnFirmText(fd) ? OnAnonymousDevice(fd, info) : platform::posix::RealSyscalls().fstat(fd, info);
    }
    platform::posix::ScopedSyscall<&platform::posix::Syscalls::fstat> remote_{&Examine};
    platform::posix::FailNthCall<&platform::posix::Syscalls::fsync> fails_;
};

struct FaultKind {
    const char* name;
    std::function<std::unique_ptr<InjectedFault>(int n)> inject;
};

inline constexpr int kNeverFail = 1 << 30;

inline bool Creates(const char*, int flags, mode_t) { return (flags & O_CREAT) != 0; }
inline bool OpensExisting(const char*, int flags, mode_t) { return (flags & O_CREAT) == 0; }

template <auto Entry>
std::function<std::unique_ptr<InjectedFault>(int)> FailCall(
    int error, typename platform::posix::FailNthCall<Entry>::Filter filter = nullptr) {
    return [error, filter](int n) -> std::unique_ptr<InjectedFault> {
        return std::make_unique<HeldFault<platform::posix::FailNthCall<Entry>>>(n, error, filter);
    };
}

// Every kind of failure the matrix tries, one system call each.
inline std::span<const FaultKind> FaultKinds() {
    using platform::posix::Syscalls;
    static const FaultKind kinds[] = {
        {"open", FailCall<&Syscalls::open>(EIO, &OpensExisting)},
        {"create", FailCall<&Syscalls::open>(ENOSPC, &Creates)},
        {"read", FailCall<&Syscalls::read>(EIO)},
        {"shortWrite",
         [](int n) -> std::unique_ptr<InjectedFault> {
             return std::make_unique<HeldFault<platform::posix::ShortNthWrite>>(n);
         }},
        {"close", [](int n) -> std::unique_ptr<InjectedFault> { return std::make_unique<HeldFault<CloseFailsNth>>(n); }},
        {"rename", FailCall<&Syscalls::rename>(EIO)},
        {"mkdir", FailCall<&Syscalls::mkdir>(EACCES)},
        {"lock", FailCall<&Syscalls::lock>(ENOLCK)},
        {"opendir", FailCall<&Syscalls::opendir>(EIO)},
        // The look-ups of names and the searches: an entry that cannot be examined is
        // no missing entry.
        {"stat", FailCall<&Syscalls::stat>(EIO)},
        {"lstatStale", FailCall<&Syscalls::lstat>(ESTALE)},
        {"lstatDenied", FailCall<&Syscalls::lstat>(EACCES)},
        {"opendirDenied", FailCall<&Syscalls::opendir>(EACCES)},
        {"fsync", FailCall<&Syscalls::fsync>(EIO)},
        {"readdir", FailCall<&Syscalls::readdir>(EIO)},
        // Where a network drive reports a full disk or a lost connection, aimed at the
        // one text file the conversion saves through its own writer.
        {"flushFirmText",
         [](int n) -> std::unique_ptr<InjectedFault> { return std::make_unique<HeldFault<FirmTextFlushFailsNth>>(n); }},
        {"closeFirmText",
         [](int n) -> std::unique_ptr<InjectedFault> {
             return std::make_unique<HeldFault<CloseFailsNth>>(n, &OnFirmText);
         }},
    };
    return kinds;
}

// Kills the process with SIGKILL, as a crash or the user's kill would, right before
// its n-th call (from 1) that changes a file, a directory or a lock: open, write,
// truncate, flush, lock, close, make directory, rename, remove, write back. Meant for
// a child process; the count of a run that is not killed gives the kill points. Only
// the calls of the program's own thread count: the moment at which the thread that
// waits for the disk makes its one call is not the program's to choose (FirstFlush).
class KillBeforeNthChange {
public:
    explicit KillBeforeNthChange(int n) {
        TheState().killAt = n;
        TheState().calls = 0;
    }
    static int CallCount() { return TheState().calls; }

private:
    struct State {
        int killAt = 0;
        std::atomic<int> calls = 0;  // read by FirstFlush on the waiting thread
    };
    static State& TheState() {
        static State value;
        return value;
    }
    static void count() {
        if (::gettid() == ::getpid() && ++TheState().calls == TheState().killAt) ::raise(SIGKILL);
    }

    template <auto Entry, typename Function = typename platform::posix::ScopedSyscall<Entry>::Function>
    class Counted;
    template <auto Entry, typename Result, typename... Args>
    class Counted<Entry, Result (*)(Args...)> {
    public:
        Counted() : saved_(save()), guard_(&Call) {}

    private:
        static inline Result (*previous)(Args...) = nullptr;
        static bool save() {
            previous = platform::posix::TheSyscalls().*Entry;
            return true;
        }
        static Result Call(Args... args) {
            count();
            return previous(args...);
        }
        bool saved_;
        platform::posix::ScopedSyscall<Entry> guard_;
    };

    using Calls = platform::posix::Syscalls;
    Counted<&Calls::open> open_;
    Counted<&Calls::write> write_;
    Counted<&Calls::ftruncate> truncate_;
    Counted<&Calls::fsync> fsync_;
    Counted<&Calls::lock> lock_;
    Counted<&Calls::close> close_;
    Counted<&Calls::mkdir> mkdir_;
    Counted<&Calls::rename> rename_;
    Counted<&Calls::unlink> unlink_;
    Counted<&Calls::rmdir> rmdir_;
    Counted<&Calls::syncfs> syncfs_;
};

// The first flush of a converted firm's files, on the thread that waits for the disk
// while the next firm is converted, counted against a KillBeforeNthChange that lives
// as long: Observed, it runs and notes the changes the program's thread had made when
// it began and when the program took its result (the close of its directory); Held,
// it never returns, so that a kill of the program's thread between those two counts
// falls while the firm is on its way to the disk; Killed, the process is killed as
// the flush numbered killedFlush (from 1) begins.
class FirstFlush {
public:
    enum class Kind { Observed, Held, Killed };
    explicit FirstFlush(Kind kind, int killedFlush = 1) : syncfs_(&flush), close_(&closed) {
        TheState() = State{kind, killedFlush, 0, -1, 0, 0};
    }
    static int changesAtBegin() { return TheState().atBegin; }
    static int changesAtEnd() { return TheState().atEnd; }

private:
    struct State {
        Kind kind;
        int killedFlush;
        int flushes;
        int fd;  // the directory of the first flush
        int atBegin;
        int atEnd;
    };
    static State& TheState() {
        static State value{};
        return value;
    }
    static int flush(int fd) {
        State& s = TheState();
        const int number = ++s.flushes;
        if (s.kind == Kind::Killed && number == s.killedFlush) ::raise(SIGKILL);
        if (number != 1) return previousSyncfs(fd);
        s.fd = fd;
        s.atBegin = KillBeforeNthChange::CallCount();
        if (s.kind == Kind::Held)
            for (;;) ::pause();
        return previousSyncfs(fd);
    }
    static int closed(int fd) {
        State& s = TheState();
        if (fd == s.fd && s.atEnd == 0) s.atEnd = KillBeforeNthChange::CallCount();
        return previousClose(fd);
    }
    static inline int (*previousSyncfs)(int) = nullptr;
    static inline int (*previousClose)(int) = nullptr;
    static bool save() {
        previousSyncfs = platform::posix::TheSyscalls().syncfs;
        previousClose = platform::posix::TheSyscalls().close;
        return true;
    }

    bool saved_ = save();
    platform::posix::ScopedSyscall<&platform::posix::Syscalls::syncfs> syncfs_;
    platform::posix::ScopedSyscall<&platform::posix::Syscalls::close> close_;
};

// The calls to fail, 1 to calls: every one when there are at most cap, otherwise cap
// of them spread evenly, the first and the last among them.
inline std::vector<int> CallsToFail(int calls, int cap) {
    std::vector<int> chosen;
    if (calls <= cap) {
        for (int n = 1; n <= calls; ++n) chosen.push_back(n);
        return chosen;
    }
    for (int i = 0; i < cap; ++i) chosen.push_back(1 + static_cast<int>(static_cast<long long>(i) * (calls - 1) / (cap - 1)));
    chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    return chosen;
}

// For the names of parameterised tests.
inline std::string FaultName(const ::testing::TestParamInfo<FaultKind>& info) { return info.param.name; }
// How a failing case names its kind in the test log.
inline void PrintTo(const FaultKind& kind, std::ostream* out) { *out << kind.name; }

}  // namespace qztest
