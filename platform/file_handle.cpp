// The file handle's life and every operation on it, the same on every platform:
// the checks of the handle and its access, the loops over partial reads and writes,
// and the rules the home platform keeps for one handle's locks are kept here; the
// native layer below does one system call's worth of each.
#include <algorithm>

#include "platform/failure_record.h"
#include "platform/file_access.h"

namespace platform {

namespace {

bool overlaps(std::uint64_t aOffset, std::uint64_t aLength, std::uint64_t bOffset, std::uint64_t bLength) {
    return aOffset < bOffset + bLength && bOffset < aOffset + aLength;
}

}  // namespace

FileHandle::~FileHandle() {
    if (isOpen()) closeNative(native_);
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : native_(other.native_), access_(other.access_), locks_(std::move(other.locks_)) {
    FileAccess::forget(other);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (isOpen()) closeNative(native_);
        native_ = other.native_;
        access_ = other.access_;
        locks_ = std::move(other.locks_);
        FileAccess::forget(other);
    }
    return *this;
}

int openFile(std::string_view path, std::uint8_t openMode, FileHandle& file) {
    if (file.isOpen()) closeFile(file);
    if (!validOpenMode(openMode)) return err::InvalidAccess;
    std::intptr_t native = -1;
    if (const int opened = openNative(path, openMode, native); opened != err::Ok) return opened;
    FileAccess::adopt(file, native, openMode & kAccessBits);
    forgetFailure();
    return err::Ok;
}

namespace {

int makeFile(std::string_view path, bool replace, FileHandle& file) {
    if (file.isOpen()) closeFile(file);
    std::intptr_t native = -1;
    if (const int made = makeNative(path, replace, native); made != err::Ok) return made;
    FileAccess::adopt(file, native, mode::ReadWrite);
    forgetFailure();
    return err::Ok;
}

}  // namespace

int createFile(std::string_view path, FileHandle& file) { return makeFile(path, true, file); }

int createNewFile(std::string_view path, FileHandle& file) { return makeFile(path, false, file); }

int readFile(FileHandle& file, void* buffer, std::size_t size, std::size_t& done) {
    done = 0;
    if (!file.isOpen()) return err::InvalidHandle;
    if (FileAccess::access(file) == mode::WriteOnly) return err::AccessDenied;
    auto* bytes = static_cast<char*>(buffer);
    while (done < size) {
        std::size_t got = 0;
        if (const int read = readNative(file.native(), bytes + done, size - done, got); read != err::Ok) return read;
        if (got == 0) break;  // the end of the file
        done += got;
    }
    forgetFailure();
    return err::Ok;
}

int writeFile(FileHandle& file, const void* buffer, std::size_t size, std::size_t& done) {
    done = 0;
    if (!file.isOpen()) return err::InvalidHandle;
    if (FileAccess::access(file) == mode::ReadOnly) return err::AccessDenied;
    const auto* bytes = static_cast<const char*>(buffer);
    // A write may take fewer bytes than offered; the rest is offered again until
    // the system refuses, and a write that takes nothing means the disk is full.
    while (done < size) {
        std::size_t put = 0;
        if (const int written = writeNative(file.native(), bytes + done, size - done, put); written != err::Ok)
            return written;
        if (put == 0) return noteFailure(err::DiskFull);
        done += put;
    }
    forgetFailure();
    return err::Ok;
}

int seekFile(FileHandle& file, std::uint64_t offset) {
    if (!file.isOpen()) return err::InvalidHandle;
    if (offset > kLargestOffset) return err::InvalidParameter;
    return seekNative(file.native(), offset);
}

int fileSize(FileHandle& file, std::uint64_t& size) {
    size = 0;
    if (!file.isOpen()) return err::InvalidHandle;
    return sizeNative(file.native(), size);
}

int currentFileSize(FileHandle& file, std::uint64_t& size) {
    size = 0;
    if (!file.isOpen()) return err::InvalidHandle;
    return currentSizeNative(file.native(), size);
}

int flushFile(FileHandle& file) {
    if (!file.isOpen()) return err::InvalidHandle;
    return flushNative(file.native(), FileAccess::access(file));
}

int truncateFile(FileHandle& file, std::uint64_t size) {
    if (!file.isOpen()) return err::InvalidHandle;
    if (FileAccess::access(file) == mode::ReadOnly) return err::AccessDenied;
    if (size > kLargestOffset) return err::InvalidParameter;
    return truncateNative(file.native(), size);
}

int closeFile(FileHandle& file) {
    if (!file.isOpen()) return err::InvalidHandle;
    // The handle counts as closed even when the system reports an error: the native
    // handle is gone either way, and with it the handle's locks.
    const int result = closeNative(FileAccess::native(file));
    FileAccess::forget(file);
    return result;
}

int lockRange(FileHandle& file, std::uint64_t offset, std::uint64_t length) {
    if (!file.isOpen()) return err::InvalidHandle;
    // Length 0 would mean "to the end of the file and beyond" to POSIX.
    if (length == 0 || offset >= kLockLimit || length > kLockLimit - offset) return err::InvalidParameter;
    auto& held = FileAccess::locks(file);
    for (const auto& range : held)
        if (overlaps(range.offset, range.length, offset, length)) return err::LockViolation;
    if (const int locked = lockNative(FileAccess::native(file), offset, length); locked != err::Ok) return locked;
    held.push_back({offset, length});
    return err::Ok;
}

int unlockRange(FileHandle& file, std::uint64_t offset, std::uint64_t length) {
    if (!file.isOpen()) return err::InvalidHandle;
    auto& held = FileAccess::locks(file);
    const auto range = std::find_if(held.begin(), held.end(),
                                    [&](const auto& r) { return r.offset == offset && r.length == length; });
    if (range == held.end()) return err::NotLocked;
    if (const int unlocked = unlockNative(FileAccess::native(file), offset, length); unlocked != err::Ok)
        return unlocked;
    held.erase(range);
    return err::Ok;
}

}  // namespace platform
