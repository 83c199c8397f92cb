# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 x86-64 toolchain: the same sources
# as the 32-bit build, for hosts that cannot run 32-bit code and for the 64-bit package.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
