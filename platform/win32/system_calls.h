#pragma once
// The Windows calls on an open file go through this one table, so that a test can
// put its own function in an entry and make, say, a write fail with a full disk, as
// the POSIX file layer's table allows. Production never changes the table. Only
// the calls of the handle's life and its reads, writes and locks are here; the
// calls by name (directories, renames) are made directly.
#include <type_traits>

#include "platform/win32/api.h"

namespace platform::win32 {

struct SystemCalls {
    HANDLE(WINAPI* createFile)
    (LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
     HANDLE pattern);
    BOOL(WINAPI* closeHandle)(HANDLE handle);
    BOOL(WINAPI* readFile)(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED overlapped);
    BOOL(WINAPI* writeFile)(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD put, LPOVERLAPPED overlapped);
    BOOL(WINAPI* setFilePointer)(HANDLE handle, LARGE_INTEGER distance, PLARGE_INTEGER position, DWORD method);
    BOOL(WINAPI* getFileSize)(HANDLE handle, PLARGE_INTEGER size);
    BOOL(WINAPI* flushFileBuffers)(HANDLE handle);
    BOOL(WINAPI* setEndOfFile)(HANDLE handle);
    BOOL(WINAPI* lockFile)(HANDLE handle, DWORD offsetLow, DWORD offsetHigh, DWORD lengthLow, DWORD lengthHigh);
    BOOL(WINAPI* unlockFile)(HANDLE handle, DWORD offsetLow, DWORD offsetHigh, DWORD lengthLow, DWORD lengthHigh);
};

// The table in use.
SystemCalls& TheSystemCalls();

// --- For tests ----------------------------------------------------------------------

// Puts function into one entry of the table for the lifetime of the object.
// Usage: ScopedSystemCall<&SystemCalls::writeFile> guard(&myWrite);
template <auto Entry>
class ScopedSystemCall {
public:
    using Function = std::remove_reference_t<decltype(std::declval<SystemCalls&>().*Entry)>;
    explicit ScopedSystemCall(Function function) : saved_(TheSystemCalls().*Entry) { TheSystemCalls().*Entry = function; }
    ~ScopedSystemCall() { TheSystemCalls().*Entry = saved_; }
    ScopedSystemCall(const ScopedSystemCall&) = delete;
    ScopedSystemCall& operator=(const ScopedSystemCall&) = delete;

private:
    Function saved_;
};

}  // namespace platform::win32
