// The file handle's life and its locks, the same on every platform: the native
// layer opens, reads and writes; the rules the home platform keeps for one handle's
// locks are kept here.
#include <algorithm>

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
