#include "platform/posix/home_error.h"

#include <cerrno>

#include "platform/failure_record.h"
#include "platform/files.h"

namespace platform::posix {

namespace {

int Translated(int errnoValue, Failed what) {
    if (what == Failed::Lock && (errnoValue == EACCES || errnoValue == EAGAIN)) return err::LockViolation;
    switch (errnoValue) {
        case 0: return err::Ok;
        case ENOENT: return err::FileNotFound;
        case ENOTDIR: return err::PathNotFound;
        case EMFILE:
        case ENFILE: return err::TooManyOpenFiles;
        // A symbolic link where the layer refuses to follow one (ELOOP) and a directory
        // opened as a file (EISDIR) are refusals of access there as well.
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ELOOP: return err::AccessDenied;
        case EBADF: return err::InvalidHandle;
        case ENOMEM: return err::NotEnoughMemory;
        case ENAMETOOLONG:
        case EILSEQ: return err::BadFormat;
        case EXDEV: return err::NotSameDevice;
        case EBUSY:
        case ETXTBSY: return err::SharingViolation;
        case EAGAIN:
        case EDEADLK:
        case ENOLCK: return err::LockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return err::DiskFull;
        case EEXIST: return err::AlreadyExists;
        case ESTALE: return err::FileGone;
        case EINVAL: return err::InvalidParameter;
        case ENOTEMPTY: return err::DirectoryNotEmpty;
        default: return err::GeneralFailure;
    }
}

}  // namespace

int HomeError(int errnoValue, Failed what) {
    const int error = Translated(errnoValue, what);
    return error == err::Ok ? error : NoteFailure(error);
}

}  // namespace platform::posix
