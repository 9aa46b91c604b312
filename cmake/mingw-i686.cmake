# Cross build for 32-bit Windows with the mingw-w64 posix-thread toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(ZORBIT_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZORBIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORBIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZORBIT_MINGW_PREFIX}-windres)
set(CMAKE_AR           ${ZORBIT_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       ${ZORBIT_MINGW_PREFIX}-ranlib CACHE FILEPATH "")
set(ZORBIT_OBJDUMP     ${ZORBIT_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${ZORBIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every binary imports only Windows system DLLs: no libgcc, libstdc++ or
# winpthread DLLs next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The definition reader tests sixteen bytes at a time with SSE2, which every
# browser that still loads plug-ins needs itself. Windows and the browser
# call us with the stack aligned to four bytes only, so functions that keep
# SSE2 values on the stack align it themselves.
set(CMAKE_C_FLAGS_INIT   "-msse2 -mincoming-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mincoming-stack-boundary=2")
