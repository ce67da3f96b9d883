#pragma once
// The one translation of POSIX errors into the home platform's error numbers.
namespace platform::posix {

// What failed, where the same errno means different things.
enum class Failed {
    Other,
    Lock,  // a byte-range lock: EACCES and EAGAIN mean another handle holds the range
};

// The home platform's number for an errno value (0 for 0). Path lookup decides 2
// against 3 itself: it knows whether a directory or the last name was missing.
int HomeError(int errnoValue, Failed what = Failed::Other);

}  // namespace platform::posix
