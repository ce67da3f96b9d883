// Emptying a directory and making its files durable. A reparse point (a symbolic
// link or junction) is removed itself and never entered; only real subdirectories
// are emptied and removed.
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/disk_flush.h"
#include "platform/files.h"
#include "platform/read_ahead.h"
#include "platform/search_rules.h"
#include "platform/win32/api.h"
#include "platform/win32/home_error.h"
#include "platform/win32/names.h"

namespace platform {

using namespace win32;

namespace {

struct Entry {
    std::string name;
    DWORD attributes;
};

// The entries of the native directory (ending with a separator), "." and ".." left out.
int ListNative(const std::string& directory, std::vector<Entry>& entries) {
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((directory + "*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return LastHomeError();
    do {
        const std::string_view name = data.cFileName;
        if (name != "." && name != "..") entries.push_back({data.cFileName, data.dwFileAttributes});
    } while (FindNextFileA(search, &data));
    const DWORD code = GetLastError();
    FindClose(search);
    return code == ERROR_NO_MORE_FILES ? err::Ok : HomeError(code);
}

// The directory of a program path in native form with a final separator, refused
// when it is a link.
int RealDirectory(std::string_view path, std::string& native) {
    if (const int checked = NativePath(path, false, native); checked != err::Ok) return checked;
    const DWORD attributes = GetFileAttributesA(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastHomeError();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return err::AccessDenied;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return err::PathNotFound;
    if (!IsSeparator(native.back())) native += '\\';
    return err::Ok;
}

int RemoveEntry(const std::string& path, DWORD attributes);

int EmptyNative(const std::string& directory, const NameKey& keep) {
    std::vector<Entry> entries;
    if (const int listed = ListNative(directory, entries); listed != err::Ok) return listed;
    for (const Entry& entry : entries) {
        if (!keep.empty() && KeyOfProgramName(entry.name) == keep) continue;
        if (const int removed = RemoveEntry(directory + entry.name, entry.attributes); removed != err::Ok)
            return removed;
    }
    return err::Ok;
}

int RemoveEntry(const std::string& path, DWORD attributes) {
    // A read-only entry cannot be deleted; POSIX ignores the mode.
    if ((attributes & FILE_ATTRIBUTE_READONLY) &&
        !SetFileAttributesA(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}))
        return LastHomeError();
    const bool directory = attributes & FILE_ATTRIBUTE_DIRECTORY;
    if (directory && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (const int emptied = EmptyNative(path + "\\", {}); emptied != err::Ok) return emptied;
    }
    const BOOL removed = directory ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
    return removed ? err::Ok : LastHomeError();
}

}  // namespace

int EmptyDirectory(std::string_view path, std::string_view keep) {
    std::string native;
    if (const int found = RealDirectory(path, native); found != err::Ok) return found;
    return EmptyNative(native, KeyOfProgramName(keep));
}

namespace {

// Opens and flushes each of the native files, one after the other; the Win32 code of
// the first that fails, or 0. It makes no other call, so that it may run on the
// thread that waits for the disk.
DWORD FlushNativeFiles(const std::vector<std::string>& files) {
    for (const std::string& path : files) {
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return GetLastError();
        const DWORD code = FlushFileBuffers(file) ? 0 : GetLastError();
        CloseHandle(file);
        if (code != 0) return code;
    }
    return 0;
}

// The native paths of the files of a program directory. Flushing a whole volume
// needs rights a workstation lacks: each file is flushed instead. The directory's
// own entries are kept by the file system's journal.
int FilesToFlush(std::string_view path, std::vector<std::string>& files) {
    std::string native;
    if (const int found = RealDirectory(path, native); found != err::Ok) return found;
    std::vector<Entry> entries;
    if (const int listed = ListNative(native, entries); listed != err::Ok) return listed;
    for (const Entry& entry : entries)
        if (!(entry.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            files.push_back(native + entry.name);
    return err::Ok;
}

}  // namespace

int MakeDurable(std::string_view path) {
    std::vector<std::string> files;
    if (const int listed = FilesToFlush(path, files); listed != err::Ok) return listed;
    const DWORD code = FlushNativeFiles(files);
    return code == 0 ? err::Ok : HomeError(code);
}

// The thread gets the native paths of the files and gives back the Win32 code.
struct DiskFlush::State {
    std::vector<std::string> files;
    std::string alongside;
    DWORD code = 0;
    int alongsideFound = err::Ok;  // the file's native path could not be made
    DWORD alongsideCode = 0;
    std::atomic<bool> finished{true};
    std::thread waiter;
};

DiskFlush::DiskFlush() : state_(std::make_unique<State>()) {}

DiskFlush::~DiskFlush() {
    int alongside = err::Ok;
    static_cast<void>(End(alongside));
}

int DiskFlush::Begin(std::span<const std::string> paths, std::string_view alongside) {
    int lost = err::Ok;
    static_cast<void>(End(lost));
    State& state = *state_;
    state.files.clear();
    state.alongside.clear();
    for (const std::string& path : paths)
        if (const int listed = FilesToFlush(path, state.files); listed != err::Ok) return listed;
    state.alongsideFound = alongside.empty() ? err::Ok : NativePath(alongside, false, state.alongside);
    if (state.alongsideFound != err::Ok) state.alongside.clear();
    state.finished.store(false);
    state.waiter = std::thread([&state] {
        state.code = FlushNativeFiles(state.files);
        state.alongsideCode = state.alongside.empty() ? 0 : FlushNativeFiles({state.alongside});
        state.finished.store(true, std::memory_order_release);
    });
    return err::Ok;
}

bool DiskFlush::Finished() const { return state_->finished.load(std::memory_order_acquire); }

int DiskFlush::End(int& alongside) {
    alongside = err::Ok;
    if (!state_->waiter.joinable()) return err::Ok;
    state_->waiter.join();
    alongside = state_->alongsideCode != 0 ? HomeError(state_->alongsideCode) : state_->alongsideFound;
    return state_->code == 0 ? err::Ok : HomeError(state_->code);
}

// The entries of a directory are kept by the file system's journal.
int FlushDirectory(std::string_view path) {
    std::string native;
    return RealDirectory(path, native);
}

// A handle open for reading, whatever it shares, would refuse another workstation's
// open that denies reading: nothing is read ahead here.
struct ReadAhead::State {};

ReadAhead::ReadAhead() : state_(std::make_unique<State>()) {}

ReadAhead::~ReadAhead() = default;

void ReadAhead::Begin(std::string_view) {}

void ReadAhead::End() {}

}  // namespace platform
