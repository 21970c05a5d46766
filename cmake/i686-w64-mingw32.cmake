# The Veilpix.exe users download: 32-bit Windows. CTest runs the test programs under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VEILPIX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
