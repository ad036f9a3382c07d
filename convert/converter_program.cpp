#include "convert/converter_program.h"

#include "framework/handle.h"

#include <cstdio>

int ConverterProgram::Render(const char* source, const char* target, ConversionOutcome&) {
    char commandLine[300];
    const int length =
        std::snprintf(commandLine, sizeof(commandLine), "AWDVSTUB.EXE /c \"%s\" \"%s\"", source, target);
    if (length < 0 || length >= static_cast<int>(sizeof(commandLine)))
        return kCommandLineTooLong;

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const char* application = m_applicationPath.IsEmpty() ? nullptr : m_applicationPath.GetString();
    if (!::CreateProcessA(application, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return kConverterNotStarted;
    CHandle process(info.hProcess);
    CHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), INFINITE) == WAIT_FAILED)
        return kConverterWaitFailed;
    return kConverted;
}
