#pragma once
// The implementations' side of lastFailure() (platform/files.h).
namespace platform {

// Keeps error as the last failure and returns it, so that a failing return notes
// itself: return noteFailure(err::FileNotFound).
int noteFailure(int error);

}  // namespace platform
