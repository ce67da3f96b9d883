#pragma once
// What the native file layers share: access to a handle's fields, the rules of the
// open mode byte, and the native steps that the common handle code calls.
#include <cstdint>

#include "platform/files.h"

namespace platform {

struct FileAccess {
    static std::intptr_t native(const FileHandle& file) { return file.native_; }
    static std::uint8_t access(const FileHandle& file) { return file.access_; }
    static auto& locks(FileHandle& file) { return file.locks_; }
    static void adopt(FileHandle& file, std::intptr_t native, std::uint8_t access) {
        file.native_ = native;
        file.access_ = access;
        file.locks_.clear();
    }
    static void forget(FileHandle& file) {
        file.native_ = -1;
        file.locks_.clear();
    }
};

inline constexpr std::uint8_t kAccessBits = 0x03;
inline constexpr std::uint8_t kSharingBits = 0x70;

// An open mode byte with defined access and sharing bits only.
constexpr bool validOpenMode(std::uint8_t openMode) {
    const std::uint8_t access = openMode & kAccessBits;
    const std::uint8_t sharing = openMode & kSharingBits;
    return (openMode & ~(kAccessBits | kSharingBits)) == 0 && access <= mode::ReadWrite && sharing <= mode::DenyNone;
}

// Locks reach no further than the home platform's 32-bit offsets.
inline constexpr std::uint64_t kLockLimit = 0x1'0000'0000;

// The span of the NameMemory in force, a number of its own for each outermost
// one; 0 when none lives and nothing may be remembered.
std::uint32_t nameMemorySpan();

// Native steps, one set per platform. Each returns 0 or an error number of err.
int closeNative(std::intptr_t native);
// Takes or gives back a range lock on the native handle; LockViolation when another
// handle holds an overlapping range.
int lockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length);
int unlockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length);

}  // namespace platform
