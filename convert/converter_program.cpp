#include "convert/convert_awd_file.h"

#include "framework/handle.h"

#include <cstdio>

int RunConverterProgram(const char* source, const char* target) {
    char commandLine[300];
    const int length =
        std::snprintf(commandLine, sizeof(commandLine), "AWDVSTUB.EXE /c \"%s\" \"%s\"", source, target);
    if (length < 0 || length >= static_cast<int>(sizeof(commandLine)))
        return kConverterNotStarted;

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return kConverterNotStarted;
    CHandle process(info.hProcess);
    CHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), INFINITE) == WAIT_FAILED)
        return kConverterWaitFailed;
    return 0;
}
