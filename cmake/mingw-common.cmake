# What both Windows cross builds share; the toolchain file that includes this
# sets ZORBIT_MINGW_PREFIX and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${ZORBIT_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORBIT_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZORBIT_MINGW_PREFIX}-windres)
set(CMAKE_AR           ${ZORBIT_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       ${ZORBIT_MINGW_PREFIX}-ranlib CACHE FILEPATH "")
set(ZORBIT_OBJDUMP     ${ZORBIT_MINGW_PREFIX}-objdump)
set(ZORBIT_OBJCOPY     ${ZORBIT_MINGW_PREFIX}-objcopy)
set(ZORBIT_STRIP       ${ZORBIT_MINGW_PREFIX}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${ZORBIT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every binary imports only Windows system DLLs: no libgcc, libstdc++ or
# winpthread DLLs next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
