# The same sources for 64-bit Windows, which Wine runs where the kernel cannot execute 32-bit
# code. CTest runs the test programs under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VEILPIX_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
