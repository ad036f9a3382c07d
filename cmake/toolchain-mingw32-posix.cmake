# The Windows test programs: GoogleTest needs std::mutex, which only the posix thread variant of
# mingw-w64's libstdc++ has, so they keep Debian's compilers and runtime. They compile the program's
# sources for the program's processor all the same.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
# The processor is the platform's: forced, so that a build folder configured before takes it too.
set(CMAKE_C_FLAGS "-march=i486 -mtune=intel" CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS "-march=i486 -mtune=intel" CACHE STRING "" FORCE)
include(${CMAKE_CURRENT_LIST_DIR}/mingw32-target.cmake)
