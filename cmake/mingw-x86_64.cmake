# Cross build for 64-bit Windows: the same programs and tests as the 32-bit
# product, for machines whose Wine runs 64-bit code only. SSE2 is part of
# x86-64 and its stack is 16-byte aligned, so no extra flags.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZORBIT_MINGW_PREFIX x86_64-w64-mingw32)
set(ZORBIT_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
