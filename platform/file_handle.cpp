// The file handle's life and every operation on it, the same on every platform:
// the checks of the handle and its access, the loops over partial reads and writes,
// and the rules the home platform keeps for one handle's locks are kept here; the
// native layer below does one system call's worth of each.
#include <algorithm>

#include "platform/failure_record.h"
#include "platform/file_access.h"

namespace platform {

namespace {

bool Overlaps(std::uint64_t aOffset, std::uint64_t aLength, std::uint64_t bOffset, std::uint64_t bLength) {
    return aOffset < bOffset + bLength && bOffset < aOffset + aLength;
}

}  // namespace

FileHandle::~FileHandle() {
    if (IsOpen()) CloseNative(native_, releaseBeforeClose_);
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : native_(other.native_),
      access_(other.access_),
      releaseBeforeClose_(other.releaseBeforeClose_),
      locks_(std::move(other.locks_)) {
    FileAccess::Forget(other);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (IsOpen()) CloseNative(native_, releaseBeforeClose_);
        native_ = other.native_;
        access_ = other.access_;
        releaseBeforeClose_ = other.releaseBeforeClose_;
        locks_ = std::move(other.locks_);
        FileAccess::Forget(other);
    }
    return *this;
}

int OpenSharedFile(std::string_view path, std::uint8_t openMode, FileHandle& file) {
    if (file.IsOpen()) CloseFile(file);
    if (!ValidOpenMode(openMode)) return err::InvalidAccess;
    std::intptr_t native = -1;
    bool releaseBeforeClose = true;
    if (const int opened = OpenNative(path, openMode, native, releaseBeforeClose); opened != err::Ok) return opened;
    FileAccess::Adopt(file, native, openMode & kAccessBits, releaseBeforeClose);
    ForgetFailure();
    return err::Ok;
}

namespace {

int MakeFile(std::string_view path, bool replace, FileHandle& file) {
    if (file.IsOpen()) CloseFile(file);
    std::intptr_t native = -1;
    bool releaseBeforeClose = true;
    if (const int made = MakeNative(path, replace, native, releaseBeforeClose); made != err::Ok) return made;
    FileAccess::Adopt(file, native, mode::ReadWrite, releaseBeforeClose);
    ForgetFailure();
    return err::Ok;
}

}  // namespace

int CreateOrTruncateFile(std::string_view path, FileHandle& file) { return MakeFile(path, true, file); }

int CreateNewFile(std::string_view path, FileHandle& file) { return MakeFile(path, false, file); }

int ReadFromFile(FileHandle& file, void* buffer, std::size_t size, std::size_t& done) {
    done = 0;
    if (!file.IsOpen()) return err::InvalidHandle;
    if (FileAccess::Access(file) == mode::WriteOnly) return err::AccessDenied;
    auto* bytes = static_cast<char*>(buffer);
    while (done < size) {
        std::size_t got = 0;
        if (const int read = ReadNative(file.Native(), bytes + done, size - done, got); read != err::Ok) return read;
        if (got == 0) break;  // the end of the file
        done += got;
    }
    ForgetFailure();
    return err::Ok;
}

int WriteToFile(FileHandle& file, const void* buffer, std::size_t size, std::size_t& done) {
    done = 0;
    if (!file.IsOpen()) return err::InvalidHandle;
    if (FileAccess::Access(file) == mode::ReadOnly) return err::AccessDenied;
    const auto* bytes = static_cast<const char*>(buffer);
    // A write may take fewer bytes than offered; the rest is offered again until
    // the system refuses, and a write that takes nothing means the disk is full.
    while (done < size) {
        std::size_t put = 0;
        if (const int written = WriteNative(file.Native(), bytes + done, size - done, put); written != err::Ok)
            return written;
        if (put == 0) return NoteFailure(err::DiskFull);
        done += put;
    }
    ForgetFailure();
    return err::Ok;
}

int SeekFile(FileHandle& file, std::uint64_t offset) {
    if (!file.IsOpen()) return err::InvalidHandle;
    if (offset > kLargestOffset) return err::InvalidParameter;
    return SeekNative(file.Native(), offset);
}

int FileSize(FileHandle& file, std::uint64_t& size) {
    size = 0;
    if (!file.IsOpen()) return err::InvalidHandle;
    return SizeNative(file.Native(), size);
}

int CurrentFileSize(FileHandle& file, std::uint64_t& size) {
    size = 0;
    if (!file.IsOpen()) return err::InvalidHandle;
    return CurrentSizeNative(file.Native(), size);
}

int FlushFile(FileHandle& file) {
    if (!file.IsOpen()) return err::InvalidHandle;
    return FlushNative(file.Native(), FileAccess::Access(file));
}

// The file systems whose locks may outlive a close are the ones with a server (or a
// daemon) between the workstations.
int PublishWrites(FileHandle& file) {
    if (!file.IsOpen()) return err::InvalidHandle;
    return FileAccess::ReleaseBeforeClose(file) ? FlushFile(file) : err::Ok;
}

int TruncateFile(FileHandle& file, std::uint64_t size) {
    if (!file.IsOpen()) return err::InvalidHandle;
    if (FileAccess::Access(file) == mode::ReadOnly) return err::AccessDenied;
    if (size > kLargestOffset) return err::InvalidParameter;
    return TruncateNative(file.Native(), size);
}

int CloseFile(FileHandle& file) {
    if (!file.IsOpen()) return err::InvalidHandle;
    // The handle counts as closed even when the system reports an error: the native
    // handle is gone either way, and with it the handle's locks.
    const int result = CloseNative(FileAccess::Native(file), FileAccess::ReleaseBeforeClose(file));
    FileAccess::Forget(file);
    return result;
}

int LockRange(FileHandle& file, std::uint64_t offset, std::uint64_t length) {
    if (!file.IsOpen()) return err::InvalidHandle;
    // Length 0 would mean "to the end of the file and beyond" to POSIX.
    if (length == 0 || offset >= kLockLimit || length > kLockLimit - offset) return err::InvalidParameter;
    auto& held = FileAccess::Locks(file);
    for (const auto& range : held)
        if (Overlaps(range.offset, range.length, offset, length)) return err::LockViolation;
    if (const int locked = LockNative(FileAccess::Native(file), offset, length); locked != err::Ok) return locked;
    held.push_back({offset, length});
    return err::Ok;
}

int UnlockRange(FileHandle& file, std::uint64_t offset, std::uint64_t length) {
    if (!file.IsOpen()) return err::InvalidHandle;
    auto& held = FileAccess::Locks(file);
    const auto range = std::find_if(held.begin(), held.end(),
                                    [&](const auto& r) { return r.offset == offset && r.length == length; });
    if (range == held.end()) return err::NotLocked;
    if (const int unlocked = UnlockNative(FileAccess::Native(file), offset, length); unlocked != err::Ok)
        return unlocked;
    held.erase(range);
    return err::Ok;
}

}  // namespace platform
