# Project-wide build settings and the helpers that test directories use.

if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
else()
  add_compile_options(-Wall -Wextra)
  if(ZORBIT_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# GoogleTest from Debian's source package, built in this tree (cross-built
# for Windows in the win32 tree).
set(ZORBIT_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ZORBIT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

if(WIN32)
  # wine-bin/ holds the tree's wine, wineboot and wineserver: whatever runs
  # this tree's programs puts it first on PATH. The 64-bit tree's loader is
  # wine64 itself, never the wine script that Debian's wine package installs,
  # which picks the 32-bit loader whenever that is installed.
  set(ZORBIT_WINE_BIN ${CMAKE_BINARY_DIR}/wine-bin)
  set(executable OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  if(ZORBIT_WINEARCH STREQUAL "win64")
    set(loader /usr/lib/wine/wine64)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wineboot-win64.in ${ZORBIT_WINE_BIN}/wineboot @ONLY
                   FILE_PERMISSIONS ${executable})
  else()
    set(ZORBIT_WINEARCH win32)
    set(loader /usr/lib/wine/wine)
    file(CONFIGURE OUTPUT ${ZORBIT_WINE_BIN}/wineboot CONTENT
         "#!/bin/sh\nexec \"${ZORBIT_WINE_BIN}/wine\" wineboot.exe \"$@\"\n")
  endif()
  file(CONFIGURE OUTPUT ${ZORBIT_WINE_BIN}/wine CONTENT
       "#!/bin/sh\nexport WINEARCH=${ZORBIT_WINEARCH}\nexec ${loader} \"$@\"\n")
  file(CONFIGURE OUTPUT ${ZORBIT_WINE_BIN}/wineserver CONTENT
       "#!/bin/sh\nexec /usr/lib/wine/wineserver64 -p0 \"$@\"\n")
  file(CHMOD ${ZORBIT_WINE_BIN}/wine ${ZORBIT_WINE_BIN}/wineboot ${ZORBIT_WINE_BIN}/wineserver
       PERMISSIONS ${executable})

  # Every test executable runs under Wine in the tree's own prefix.
  set(ZORBIT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# zorbit_test(<name> SOURCES ... LIBS ...)
# One GoogleTest executable, one ctest entry (each Wine start costs seconds);
# in the win32 tree it links the shared test support (tests/support).
function(zorbit_test name)
  cmake_parse_arguments(ZT "" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ZT_SOURCES})
  target_link_libraries(${name} PRIVATE ${ZT_LIBS} gtest gtest_main)
  if(TARGET zorbit_test_support)
    target_link_libraries(${name} PRIVATE zorbit_test_support)
  endif()
  if(ZT_DEPENDS)
    add_dependencies(${name} ${ZT_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT ZT_TIMEOUT)
    set(ZT_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ZT_TIMEOUT})
endfunction()
