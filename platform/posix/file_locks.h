#pragma once
// Byte-range locks and sharing modes on POSIX file descriptors. The protocol is
// explained in file_locks.cpp.
#include <cstdint>

namespace platform::posix {

// Offsets from here on are never data: the sharing-mode marks live there. Above
// every offset a 32-bit lock of the home platform can reach (its whole-file lock
// covers 0 .. 2 147 483 646), so marks and data locks never meet.
inline constexpr std::uint64_t kShareMarkBase = 0x1'0000'0000;

// Takes the sharing-mode marks of a handle just opened with these access and
// sharing bits of an open mode, then checks them against the other handles of the
// file. Returns 0, SharingViolation (the marks are dropped again) or an error.
int ClaimSharing(int fd, std::uint8_t access, std::uint8_t sharing);

// 0 when no handle (of this or another process) has the file open through this
// layer; SharingViolation when one has. Checked before a rename or removal, which
// the home platform refuses for a file open anywhere.
int CheckNotOpen(int fd);

// Locks or unlocks a range on the handle's open file description; the lock is
// exclusive where the descriptor allows writing. Returns 0, LockViolation when
// another handle holds an overlapping range, or an error.
// A lock taken has the descriptor's view of the file revalidated against the file
// system (see revalidate), so that what is read under it is what the file holds.
int LockBytes(int fd, std::uint64_t offset, std::uint64_t length);
int UnlockBytes(int fd, std::uint64_t offset, std::uint64_t length);

// Releases every lock and mark of the descriptor, as a close does; but where a
// close may leave them to be dropped after it returns (a network file system), this
// waits until they are gone.
int ReleaseLocks(int fd);

}  // namespace platform::posix
