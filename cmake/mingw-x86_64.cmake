# Cross-compiling the same sources for 64-bit Windows, so that hosts which
# cannot run 32-bit code test them under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORVEL_MINGW_TRIPLE x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
