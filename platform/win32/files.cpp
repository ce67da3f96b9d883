// Files on Windows: the home platform's own open with access and sharing modes, its
// byte-range locks and its error numbers. The rules the file layer keeps for one
// handle's locks and the checks of every operation on a handle are in
// file_handle.cpp; each call on a handle goes through the table of system_calls.h.
#include "platform/files.h"

#include <algorithm>

#include "platform/failure_record.h"
#include "platform/file_access.h"
#include "platform/win32/api.h"
#include "platform/win32/home_error.h"
#include "platform/win32/names.h"
#include "platform/win32/system_calls.h"

namespace platform {

using namespace win32;

namespace {

// Windows reads and writes at most this much per call.
constexpr std::size_t kLargestTransfer = 1u << 30;

HANDLE HandleOf(std::intptr_t native) { return reinterpret_cast<HANDLE>(native); }

DWORD DesiredAccessOf(std::uint8_t access) {
    switch (access) {
        case mode::ReadOnly: return GENERIC_READ;
        case mode::WriteOnly: return GENERIC_WRITE;
        default: return GENERIC_READ | GENERIC_WRITE;
    }
}

// What a handle lets other handles do. No handle lets others delete or rename the
// file while it is open.
DWORD ShareModeOf(std::uint8_t sharing) {
    switch (sharing) {
        case mode::DenyAll: return 0;
        case mode::DenyWrite: return FILE_SHARE_READ;
        case mode::DenyRead: return FILE_SHARE_WRITE;
        default: return FILE_SHARE_READ | FILE_SHARE_WRITE;  // deny none, and the compatibility mode
    }
}

// Only ordinary files on disk are files here: a device name (CON, NUL, COM1) opens a
// device, which is refused like a directory is.
int RefuseAllButFiles(HANDLE handle) {
    if (GetFileType(handle) == FILE_TYPE_DISK) return err::Ok;
    TheSystemCalls().closeHandle(handle);
    return err::AccessDenied;
}

// A handle opened with FILE_FLAG_OPEN_REPARSE_POINT that turned out to be a link (or
// another reparse point) or a directory is closed and refused: a link planted in the
// target tree could lead writes anywhere.
int RefuseLinks(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    int result = err::Ok;
    if (!GetFileInformationByHandle(handle, &info))
        result = LastHomeError();
    else if (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
        result = err::AccessDenied;
    if (result != err::Ok) TheSystemCalls().closeHandle(handle);
    return result;
}

}  // namespace

// The system releases a handle's locks with its close.
int CloseNative(std::intptr_t native, bool) {
    return TheSystemCalls().closeHandle(HandleOf(native)) ? err::Ok : LastHomeError();
}

int LockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length) {
    if (TheSystemCalls().lockFile(HandleOf(native), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                 static_cast<DWORD>(length), static_cast<DWORD>(length >> 32)))
        return err::Ok;
    return LastHomeError();
}

int UnlockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length) {
    if (TheSystemCalls().unlockFile(HandleOf(native), static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32),
                   static_cast<DWORD>(length), static_cast<DWORD>(length >> 32)))
        return err::Ok;
    return LastHomeError();
}

int OpenNative(std::string_view path, std::uint8_t openMode, std::intptr_t& native, bool&) {
    std::string name;
    if (const int checked = NativePath(path, false, name); checked != err::Ok) return NoteFailure(checked);
    const std::uint8_t access = openMode & kAccessBits;
    // A handle that may write opens a link at the last component itself, to refuse it.
    const bool writes = access != mode::ReadOnly;
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (writes ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const HANDLE handle = TheSystemCalls().createFile(name.c_str(), DesiredAccessOf(access),
                                                   ShareModeOf(openMode & kSharingBits), nullptr, OPEN_EXISTING,
                                                   flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastHomeError();
    if (const int kind = RefuseAllButFiles(handle); kind != err::Ok) return kind;
    if (writes)
        if (const int linked = RefuseLinks(handle); linked != err::Ok) return linked;
    native = reinterpret_cast<std::intptr_t>(handle);
    return err::Ok;
}

namespace {

// Why a new file cannot have the name of an existing entry: an ordinary file is
// there (AlreadyExists: the caller may open it), or a directory, a link or a device,
// which no open takes for a file (AccessDenied).
int NameTaken(const std::string& native) {
    const DWORD attributes = GetFileAttributesA(native.c_str());
    constexpr DWORD kNoFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNoFile) != 0) return err::AccessDenied;
    return err::AlreadyExists;
}

}  // namespace

// Creates the file, or, when replace allows, opens and empties an existing one.
// Opened first and emptied after the checks: the open meets the sharing modes of
// other handles before anything is lost, and a link planted under the name is
// opened itself (never followed), to be refused. CREATE_NEW for a new file: one that
// another process made after the caller looked is never opened (AlreadyExists).
int MakeNative(std::string_view path, bool replace, std::intptr_t& native, bool&) {
    std::string name;
    if (const int checked = NativePath(path, false, name); checked != err::Ok) return NoteFailure(checked);
    const HANDLE handle = TheSystemCalls().createFile(
        name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        replace ? OPEN_ALWAYS : CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const int error = LastHomeError();
        return error == err::AlreadyExists ? NoteFailure(NameTaken(name)) : error;
    }
    if (const int kind = RefuseAllButFiles(handle); kind != err::Ok) return kind;
    if (const int linked = RefuseLinks(handle); linked != err::Ok) return linked;
    if (replace && !TheSystemCalls().setEndOfFile(handle)) {  // a new handle stands at offset 0
        const int result = LastHomeError();
        TheSystemCalls().closeHandle(handle);
        return result;
    }
    native = reinterpret_cast<std::intptr_t>(handle);
    return err::Ok;
}

int ReadNative(std::intptr_t native, void* buffer, std::size_t size, std::size_t& got) {
    DWORD read = 0;
    const auto wanted = static_cast<DWORD>(std::min(size, kLargestTransfer));
    if (!TheSystemCalls().readFile(HandleOf(native), buffer, wanted, &read, nullptr)) return LastHomeError();
    got = read;
    return err::Ok;
}

int WriteNative(std::intptr_t native, const void* buffer, std::size_t size, std::size_t& put) {
    DWORD written = 0;
    const auto offered = static_cast<DWORD>(std::min(size, kLargestTransfer));
    if (!TheSystemCalls().writeFile(HandleOf(native), buffer, offered, &written, nullptr)) return LastHomeError();
    put = written;
    return err::Ok;
}

int SeekNative(std::intptr_t native, std::uint64_t offset) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    if (!TheSystemCalls().setFilePointer(HandleOf(native), distance, nullptr, FILE_BEGIN)) return LastHomeError();
    return err::Ok;
}

int SizeNative(std::intptr_t native, std::uint64_t& size) {
    LARGE_INTEGER length;
    if (!TheSystemCalls().getFileSize(HandleOf(native), &length)) return LastHomeError();
    size = static_cast<std::uint64_t>(length.QuadPart);
    return err::Ok;
}

// A lock taken on a file of a network share breaks the client's caching of it, so
// the size asked after the lock is the server's.
int CurrentSizeNative(std::intptr_t native, std::uint64_t& size) { return SizeNative(native, size); }

int FlushNative(std::intptr_t native, std::uint8_t access) {
    // A handle that cannot write has nothing to flush (and Windows refuses it).
    if (access == mode::ReadOnly) return err::Ok;
    if (!TheSystemCalls().flushFileBuffers(HandleOf(native))) return LastHomeError();
    return err::Ok;
}

int TruncateNative(std::intptr_t native, std::uint64_t size) {
    // The end of the file is set at the file pointer; the pointer goes back where it
    // was afterwards, so that truncating moves it no more than it does on POSIX.
    const HANDLE handle = HandleOf(native);
    LARGE_INTEGER none{};
    LARGE_INTEGER current{};
    if (!TheSystemCalls().setFilePointer(handle, none, &current, FILE_CURRENT)) return LastHomeError();
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    if (!TheSystemCalls().setFilePointer(handle, end, nullptr, FILE_BEGIN)) return LastHomeError();
    const int result = TheSystemCalls().setEndOfFile(handle) ? err::Ok : LastHomeError();
    if (!TheSystemCalls().setFilePointer(handle, current, nullptr, FILE_BEGIN) && result == err::Ok)
        return LastHomeError();
    return result;
}

int MakeDirectory(std::string_view path) {
    std::string native;
    if (const int checked = NativePath(path, false, native); checked != err::Ok) return NoteFailure(checked);
    if (!CreateDirectoryA(native.c_str(), nullptr)) return LastHomeError();
    return err::Ok;
}

int RenameFile(std::string_view from, std::string_view to) {
    std::string source, target;
    if (const int checked = NativePath(from, false, source); checked != err::Ok) return checked;
    if (const int checked = NativePath(to, false, target); checked != err::Ok) return checked;
    // Without MOVEFILE_REPLACE_EXISTING an existing target refuses the move, and
    // without MOVEFILE_COPY_ALLOWED a move to another drive is refused (17).
    if (!MoveFileA(source.c_str(), target.c_str())) return LastHomeError();
    return err::Ok;
}

int RemoveFile(std::string_view path) {
    std::string native;
    if (const int checked = NativePath(path, false, native); checked != err::Ok) return NoteFailure(checked);
    if (!DeleteFileA(native.c_str())) return LastHomeError();
    return err::Ok;
}

}  // namespace platform
