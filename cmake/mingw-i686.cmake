# Cross build for 32-bit Windows with the mingw-w64 posix-thread toolchain:
# the product as it ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZORBIT_MINGW_PREFIX i686-w64-mingw32)
set(ZORBIT_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The definition reader tests sixteen bytes at a time with SSE2, which every
# browser that still loads plug-ins needs itself. Windows and the browser
# call us with the stack aligned to four bytes only, so functions that keep
# SSE2 values on the stack align it themselves.
set(CMAKE_C_FLAGS_INIT   "-msse2 -mincoming-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mincoming-stack-boundary=2")
