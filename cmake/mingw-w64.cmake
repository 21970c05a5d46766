# Cross-build for Windows with MinGW-w64's posix-thread compilers; the including toolchain file
# names the target triple.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VEILPIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEILPIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEILPIX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VEILPIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
