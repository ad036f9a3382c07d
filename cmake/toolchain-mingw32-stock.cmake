# Debian's win32-thread compilers with their own defaults (the Pentium Pro) and prebuilt runtime:
# only the benchmark builds with them, to show what the 486 build costs.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw32-target.cmake)
