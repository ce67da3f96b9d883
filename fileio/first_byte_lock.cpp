#include "fileio/first_byte_lock.h"

namespace fileio {

bool LockFirstByte(platform::FileHandle& file) { return platform::LockRange(file, 0, 1) == platform::err::Ok; }

bool UnlockFirstByte(platform::FileHandle& file) { return platform::UnlockRange(file, 0, 1) == platform::err::Ok; }

}  // namespace fileio
