# Cross-build for 64-bit Windows with mingw-w64 (Debian's posix-thread variant,
# which GoogleTest needs for std::mutex; the programs use no threads, and
# static linking keeps them free of runtime DLLs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_prefix x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${_prefix}-gcc-posix ${_prefix}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_prefix}-g++-posix ${_prefix}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_prefix}-windres REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/mingw64-target.cmake)
