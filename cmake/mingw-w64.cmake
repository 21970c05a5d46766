# Cross-build for Windows with MinGW-w64's win32-thread compilers: Veilpix makes its threads with
# CreateThread, and these leave winpthreads out of the exe. The including toolchain file names the
# target triple.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VEILPIX_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VEILPIX_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${VEILPIX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEILPIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
