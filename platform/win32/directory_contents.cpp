// Emptying a directory and making its files durable. A reparse point (a symbolic
// link or junction) is removed itself and never entered; only real subdirectories
// are emptied and removed.
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/disk_flush.h"
#include "platform/files.h"
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
int listNative(const std::string& directory, std::vector<Entry>& entries) {
    WIN32_FIND_DATAA data;
    const HANDLE search = FindFirstFileA((directory + "*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return lastHomeError();
    do {
        const std::string_view name = data.cFileName;
        if (name != "." && name != "..") entries.push_back({data.cFileName, data.dwFileAttributes});
    } while (FindNextFileA(search, &data));
    const DWORD code = GetLastError();
    FindClose(search);
    return code == ERROR_NO_MORE_FILES ? err::Ok : homeError(code);
}

// The directory of a program path in native form with a final separator, refused
// when it is a link.
int realDirectory(std::string_view path, std::string& native) {
    if (const int checked = nativePath(path, false, native); checked != err::Ok) return checked;
    const DWORD attributes = GetFileAttributesA(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastHomeError();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return err::AccessDenied;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return err::PathNotFound;
    if (!isSeparator(native.back())) native += '\\';
    return err::Ok;
}

int removeEntry(const std::string& path, DWORD attributes);

int emptyNative(const std::string& directory, const NameKey& keep) {
    std::vector<Entry> entries;
    if (const int listed = listNative(directory, entries); listed != err::Ok) return listed;
    for (const Entry& entry : entries) {
        if (!keep.empty() && keyOfProgramName(entry.name) == keep) continue;
        if (const int removed = removeEntry(directory + entry.name, entry.attributes); removed != err::Ok)
            return removed;
    }
    return err::Ok;
}

int removeEntry(const std::string& path, DWORD attributes) {
    // A read-only entry cannot be deleted; POSIX ignores the mode.
    if ((attributes & FILE_ATTRIBUTE_READONLY) &&
        !SetFileAttributesA(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}))
        return lastHomeError();
    const bool directory = attributes & FILE_ATTRIBUTE_DIRECTORY;
    if (directory && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (const int emptied = emptyNative(path + "\\", {}); emptied != err::Ok) return emptied;
    }
    const BOOL removed = directory ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
    return removed ? err::Ok : lastHomeError();
}

}  // namespace

int emptyDirectory(std::string_view path, std::string_view keep) {
    std::string native;
    if (const int found = realDirectory(path, native); found != err::Ok) return found;
    return emptyNative(native, keyOfProgramName(keep));
}

namespace {

// Flushes each file of the native directory.
int flushFiles(const std::string& native) {
    std::vector<Entry> entries;
    if (const int listed = listNative(native, entries); listed != err::Ok) return listed;
    // Flushing a whole volume needs rights a workstation lacks: each file is flushed
    // instead. The directory's own entries are kept by the file system's journal.
    for (const Entry& entry : entries) {
        if (entry.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        const HANDLE file = CreateFileA((native + entry.name).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return lastHomeError();
        const bool flushed = FlushFileBuffers(file);
        const int result = flushed ? err::Ok : lastHomeError();
        CloseHandle(file);
        if (result != err::Ok) return result;
    }
    return err::Ok;
}

}  // namespace

int makeDurable(std::string_view path) {
    std::string native;
    if (const int found = realDirectory(path, native); found != err::Ok) return found;
    return flushFiles(native);
}

// The thread gets the directory's native name and gives back the result; the files
// are listed, opened and flushed on it, one after the other, as makeDurable does.
struct DiskFlush::State {
    std::string native;
    int result = err::Ok;
    std::thread waiter;
};

DiskFlush::DiskFlush() : state_(std::make_unique<State>()) {}

DiskFlush::~DiskFlush() { static_cast<void>(end()); }

int DiskFlush::begin(std::string_view path) {
    static_cast<void>(end());
    if (const int found = realDirectory(path, state_->native); found != err::Ok) return found;
    State& state = *state_;
    state.waiter = std::thread([&state] { state.result = flushFiles(state.native); });
    return err::Ok;
}

int DiskFlush::end() {
    if (!state_->waiter.joinable()) return err::Ok;
    state_->waiter.join();
    return state_->result;
}

// The entries of a directory are kept by the file system's journal.
int flushDirectory(std::string_view path) {
    std::string native;
    return realDirectory(path, native);
}

}  // namespace platform
