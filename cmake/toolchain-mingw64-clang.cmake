# Cross-build for 64-bit Windows with clang and lld, a second opinion on the
# code beside mingw-w64's GCC. The C runtime, the Windows headers and
# libstdc++ are still mingw-w64's (the posix-thread GCC's, as in
# toolchain-mingw64.cmake), and the resources go through its windres.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_prefix x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES clang-14 clang REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES clang++-14 clang++ REQUIRED)
set(CMAKE_C_COMPILER_TARGET ${_prefix})
set(CMAKE_CXX_COMPILER_TARGET ${_prefix})
find_program(CMAKE_RC_COMPILER NAMES ${_prefix}-windres REQUIRED)
# The export check reads GNU objdump's listing.
find_program(CMAKE_OBJDUMP NAMES ${_prefix}-objdump REQUIRED)

# clang 14 does not recognise Debian's GCC folder ("12-posix") as a version,
# so it would find neither libstdc++'s headers nor libgcc, and would search
# the host's /usr/include. Name them here, the one place that knows. The GCC
# links winpthreads by itself (libstdc++ and libgcc call it); clang does not.
file(GLOB _gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/${_prefix}/*-posix)
list(SORT _gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET _gcc_dirs 0 _gcc)
if(NOT EXISTS ${_gcc}/include/c++)
  message(FATAL_ERROR "No posix-thread mingw-w64 GCC in /usr/lib/gcc/${_prefix}: install g++-mingw-w64-x86-64-posix.")
endif()
# Not in the flags, which a -DCMAKE_CXX_FLAGS=... on the command line replaces.
set(CMAKE_SYSROOT /usr/${_prefix})
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${_gcc}/include/c++ ${_gcc}/include/c++/${_prefix} ${_gcc}/include/c++/backward)
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${_gcc} -lpthread")
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/mingw64-target.cmake)
