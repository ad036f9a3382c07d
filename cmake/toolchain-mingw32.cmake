# Cross build for 32-bit Windows: the program, and libtiff for it. The compilers are the 486 build
# of scripts/build-toolchain-486.sh (TARNVEL_TOOLCHAIN_486), whose own runtime (libgcc, libstdc++,
# mingw-w64's start-up and libmingwex) is 486 code as well: Debian's prebuilt one is Pentium Pro
# code, and a static program carries it. Win32 threads: the posix variant's runtime imports
# functions that Windows 95, 98, Me and NT 4.0 do not export.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARNVEL_TOOLCHAIN_486)
if(NOT TARNVEL_TOOLCHAIN_486 OR NOT EXISTS "${TARNVEL_TOOLCHAIN_486}/bin/i686-w64-mingw32-g++")
  message(FATAL_ERROR "No 486 toolchain at '${TARNVEL_TOOLCHAIN_486}': set TARNVEL_TOOLCHAIN_486 to the prefix "
    "that scripts/build-toolchain-486.sh builds (make does)")
endif()
set(CMAKE_C_COMPILER ${TARNVEL_TOOLCHAIN_486}/bin/i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${TARNVEL_TOOLCHAIN_486}/bin/i686-w64-mingw32-g++)
# The processor is the platform's: forced, so that a build folder configured before takes it too.
set(CMAKE_C_FLAGS "-march=i486 -mtune=intel" CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS "-march=i486 -mtune=intel" CACHE STRING "" FORCE)
include(${CMAKE_CURRENT_LIST_DIR}/mingw32-target.cmake)
