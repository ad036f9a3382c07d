#include "convert/converter_program.h"

#include "framework/handle.h"

#include <cstdio>

namespace {
// The program reads its command line into a buffer of this size.
constexpr int kCommandLineSize = 300;
// How long an ended program may take to go away.
constexpr DWORD kEndingMs = 1000;

bool Compose(char (&line)[kCommandLineSize], const char* source, const char* target) {
    const int length = std::snprintf(line, sizeof(line), "AWDVSTUB.EXE /c \"%s\" \"%s\"", source, target);
    return length >= 0 && length < kCommandLineSize;
}

// The 8.3 form of `path` where the file system keeps one, else the path as it is. A file that
// does not exist yet (the temporary file) gets its folder's short form and keeps its name.
CString ShortForm(const char* path) {
    char shortPath[MAX_PATH];
    const DWORD length = ::GetShortPathNameA(path, shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return shortPath;
    const CString text(path);
    const int slash = text.ReverseFind('\\');
    if (slash <= 0)
        return text;
    const CString folder = text.Left(slash);
    const DWORD folderLength = ::GetShortPathNameA(folder, shortPath, MAX_PATH);
    if (folderLength == 0 || folderLength >= MAX_PATH)
        return text;
    return CString(shortPath) + (text.GetString() + slash);
}

// The paths as they are; where that is too long for the program, their short forms, the
// source's first, then both.
bool ComposeFitting(char (&line)[kCommandLineSize], const char* source, const char* target) {
    if (Compose(line, source, target))
        return true;
    const CString shortSource = ShortForm(source);
    const CString shortTarget = ShortForm(target);
    return Compose(line, shortSource, target) || Compose(line, source, shortTarget) ||
           Compose(line, shortSource, shortTarget);
}

// Waits for the program, and after a stop at most for the rest of the grace.
int AwaitProgram(HANDLE process, const StopRequest& stop) {
    const HANDLE waits[] = {process, stop.Event()};
    DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + 1)
        woke = ::WaitForSingleObject(process, stop.GraceLeft());
    if (woke == WAIT_OBJECT_0)
        return kConverted;
    // A viewer left running would hold the temporary file and sit on the user's desktop.
    ::TerminateProcess(process, 1);
    ::WaitForSingleObject(process, kEndingMs);
    return woke == WAIT_TIMEOUT ? kStoppedByClose : kConverterWaitFailed;
}
} // namespace

int ConverterProgram::Render(const char* source, const char* target, const StopRequest& stop,
                             ConversionOutcome&) {
    char commandLine[kCommandLineSize];
    if (!ComposeFitting(commandLine, source, target))
        return kCommandLineTooLong;

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const char* application = m_applicationPath.IsEmpty() ? nullptr : m_applicationPath.GetString();
    if (!::CreateProcessA(application, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return kConverterNotStarted;
    const CHandle process(info.hProcess);
    const CHandle thread(info.hThread);
    return AwaitProgram(process.Get(), stop);
}
