# The Windows test programs: GoogleTest needs std::mutex, which only the posix thread variant of
# mingw-w64's libstdc++ has. They compile the program's sources with the same flags as the program.
set(TARNVEL_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw32.cmake)
