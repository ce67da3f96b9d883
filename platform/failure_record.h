#pragma once
// The implementations' side of LastFailure() (platform/files.h).
namespace platform {

// Keeps error as the last failure and returns it, so that a failing return notes
// itself: return NoteFailure(err::FileNotFound).
int NoteFailure(int error);

}  // namespace platform
