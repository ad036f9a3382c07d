// Keeps a wine prefix's desktop through a test session (scripts/wine-session.sh). Wine starts the
// desktop's process for the first program that needs the desktop, hands it that program's standard
// error, and ends it only when no program is left on the desktop. Made for a test program, it would
// hold the output of that program's ctest entry, and ctest waiting for it, open until the session
// ends. So this program, a user of the desktop from its start, has it made before any test runs
// (its standard error is the session's log), says so on its standard output, and stays until it
// is ended or the seconds given (two hours by default) have passed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!::GetDesktopWindow()) {
        std::fprintf(stderr, "desktop keeper: no desktop\n");
        return 1;
    }
    std::printf("desktop keeper: the desktop is there\n");
    std::fflush(stdout);
    const unsigned long seconds = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 7200;
    ::Sleep(seconds * 1000);
    return 0;
}
