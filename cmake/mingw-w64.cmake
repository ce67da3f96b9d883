# Cross build for 64-bit Windows with Debian's mingw-w64. The -posix compilers: their
# thread model gives std::mutex, which GoogleTest needs. Everything is linked
# statically, so qz23-24.exe needs no DLL beside it, only those of Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QZ_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QZ_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QZ_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QZ_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QZ_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
