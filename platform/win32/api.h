#pragma once
// The Windows API for the platform's Win32 files, without the macros that clash
// with standard C++ names (min, max) and without the rarely used headers.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
