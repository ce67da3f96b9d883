#include "platform/win32/home_error.h"

#include "platform/failure_record.h"
#include "platform/files.h"
#include "platform/win32/api.h"

namespace platform::win32 {

namespace {

int Translated(std::uint32_t code) {
    switch (code) {
        case ERROR_OUTOFMEMORY: return err::NotEnoughMemory;
        case ERROR_DISK_FULL: return err::DiskFull;  // the newer number of a full disk
        case ERROR_FILE_EXISTS: return err::AlreadyExists;
        // A name the file system cannot hold.
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE: return err::BadFormat;
        // A file where a directory belongs, a share that is not there.
        case ERROR_DIRECTORY:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME: return err::PathNotFound;
        default:
            // Every other code already is the home platform's number (15 no such
            // drive, 19 write-protected, 21 drive not ready, 39 a full disk …); the
            // callers report the numbers they do not know as they are.
            return static_cast<int>(code);
    }
}

}  // namespace

int HomeError(std::uint32_t code) {
    const int error = Translated(code);
    return error == err::Ok ? error : NoteFailure(error);
}

int LastHomeError() {
    const DWORD code = GetLastError();
    return code == ERROR_SUCCESS ? err::GeneralFailure : HomeError(code);
}

}  // namespace platform::win32
