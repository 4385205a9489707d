# The part both cross-build toolchains share: libraries and headers from the
# mingw-w64 tree only, build tools from the host, and the test programs run
# under Wine. Included at the end of each toolchain file, after _prefix is set.
set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Debian's /usr/bin/wine wrapper nags about wine32 on every start; call wine64 itself.
find_program(WINE_EXECUTABLE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
# Through scripts/lib/wine-run: the session's Wine and prefix, and outside a
# session (a bare "ctest -N" runs every test program to list its cases) the
# build's own prefix instead of ~/.wine.
if(WINE_EXECUTABLE)
  get_filename_component(_wine_run ${CMAKE_CURRENT_LIST_DIR}/../scripts/lib/wine-run ABSOLUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${_wine_run} ${CMAKE_BINARY_DIR} ${WINE_EXECUTABLE})
endif()
