#pragma once
// The mutex of shared text files: a lock of the byte at offset 0 of an open file.
// A program that rewrites such a file holds it from loading to saving; a second
// writer on any workstation fails to take it and gives up at once. Readers take no
// lock. The handle must allow writing, so that the lock excludes every other handle.
#include "platform/files.h"

namespace fileio {

bool LockFirstByte(platform::FileHandle& file);
bool UnlockFirstByte(platform::FileHandle& file);

}  // namespace fileio
