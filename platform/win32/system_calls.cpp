#include "platform/win32/system_calls.h"

namespace platform::win32 {

namespace {

// The table of the process: a test swaps entries in it for the length of a case.
SystemCalls gInUse = {
    .createFile = CreateFileA,
    .closeHandle = CloseHandle,
    .readFile = ReadFile,
    .writeFile = WriteFile,
    .setFilePointer = SetFilePointerEx,
    .getFileSize = GetFileSizeEx,
    .flushFileBuffers = FlushFileBuffers,
    .setEndOfFile = SetEndOfFile,
    .lockFile = LockFile,
    .unlockFile = UnlockFile,
};

}  // namespace

SystemCalls& TheSystemCalls() { return gInUse; }

}  // namespace platform::win32
