#pragma once
// What the native file layers share: access to a handle's fields, the rules of the
// open mode byte, and the native steps that the common handle code calls.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/files.h"

namespace platform {

struct FileAccess {
    static std::intptr_t Native(const FileHandle& file) { return file.native_; }
    static std::uint8_t Access(const FileHandle& file) { return file.access_; }
    static auto& Locks(FileHandle& file) { return file.locks_; }
    static bool ReleaseBeforeClose(const FileHandle& file) { return file.releaseBeforeClose_; }
    static void Adopt(FileHandle& file, std::intptr_t native, std::uint8_t access, bool releaseBeforeClose) {
        file.native_ = native;
        file.access_ = access;
        file.releaseBeforeClose_ = releaseBeforeClose;
        file.locks_.clear();
    }
    static void Forget(FileHandle& file) {
        file.native_ = -1;
        file.locks_.clear();
    }
};

inline constexpr std::uint8_t kAccessBits = 0x03;
inline constexpr std::uint8_t kSharingBits = 0x70;

// An open mode byte with defined access and sharing bits only.
constexpr bool ValidOpenMode(std::uint8_t openMode) {
    const std::uint8_t access = openMode & kAccessBits;
    const std::uint8_t sharing = openMode & kSharingBits;
    return (openMode & ~(kAccessBits | kSharingBits)) == 0 && access <= mode::ReadWrite && sharing <= mode::DenyNone;
}

// Offsets and sizes reach no further than a signed 64-bit file offset.
inline constexpr std::uint64_t kLargestOffset = 0x7FFF'FFFF'FFFF'FFFF;
// Locks reach no further than the home platform's 32-bit offsets.
inline constexpr std::uint64_t kLockLimit = 0x1'0000'0000;

// The span of the NameMemory in force, a number of its own for each outermost
// one; 0 when none lives and nothing may be remembered.
std::uint32_t NameMemorySpan();

// Native steps, one set per platform, behind the operations on a handle (in
// file_handle.cpp), which check the handle and its access first. Each returns 0 or
// an error number of err.

// Opens an existing ordinary file with a valid open mode byte.
// releaseBeforeClose tells whether the handle's close must release its locks itself
// (see FileHandle).
int OpenNative(std::string_view path, std::uint8_t openMode, std::intptr_t& native, bool& releaseBeforeClose);
// Creates a file for reading and writing, shared deny none; when replace allows,
// opens and empties an existing one instead of refusing it.
int MakeNative(std::string_view path, bool replace, std::intptr_t& native, bool& releaseBeforeClose);
// One read or write of at most size bytes; got 0 from a read at the end of the
// file, put 0 from a write when the system took nothing.
int ReadNative(std::intptr_t native, void* buffer, std::size_t size, std::size_t& got);
int WriteNative(std::intptr_t native, const void* buffer, std::size_t size, std::size_t& put);
int SeekNative(std::intptr_t native, std::uint64_t offset);
int SizeNative(std::intptr_t native, std::uint64_t& size);
// The size asked of the file system afresh, not from what a client remembers.
int CurrentSizeNative(std::intptr_t native, std::uint64_t& size);
// access: that of the handle's open mode.
int FlushNative(std::intptr_t native, std::uint8_t access);
int TruncateNative(std::intptr_t native, std::uint64_t size);
int CloseNative(std::intptr_t native, bool releaseBeforeClose);
// Takes or gives back a range lock on the native handle; LockViolation when another
// handle holds an overlapping range.
int LockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length);
int UnlockNative(std::intptr_t native, std::uint64_t offset, std::uint64_t length);

}  // namespace platform
