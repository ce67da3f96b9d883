#pragma once
// The byte-range locks by which workstations share a file, and how long a busy one
// is polled for (platform/posix/file_locks.cpp tells the whole protocol).
#include <cstdint>

namespace fileio {

// The whole-file lock: 2 147 483 647 bytes from offset 0, the largest 32-bit signed
// value; other workstations' programs lock exactly this range.
inline constexpr std::uint64_t kWholeFileLength = 2147483647;

// Attempts of one series at a busy lock, and the pause between two.
inline constexpr int MaxTries = 30;
inline constexpr std::uint32_t RetryDelay = 50;  // ms

}  // namespace fileio
