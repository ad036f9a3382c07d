#include "convert/converter_program.h"

#include "convert/output_path.h"
#include "framework/handle.h"

#include <cstdio>
#include <vector>

namespace {
const char kProgramName[] = "AWDVSTUB.EXE";
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

// The program's full path when it lies in `folder`, else empty.
CString ProgramIn(const char* folder) {
    char path[MAX_PATH];
    if (!folder || !*folder || !JoinPath(path, folder, kProgramName))
        return CString();
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return CString();
    return path;
}

// "C:\x" or "\\server\share\x": a folder that does not depend on the current directory or drive.
bool IsFullPath(const CString& folder) {
    const char* text = folder;
    if (text[0] == '\\' && text[1] == '\\')
        return true;
    return !::IsDBCSLeadByte(static_cast<BYTE>(text[0])) && text[0] != '\0' && text[1] == ':' &&
           (text[2] == '\\' || text[2] == '/');
}

// The folders of a PATH variable, in order. A folder whose name holds a ';' stands there in
// quotes; the quotes are not part of the name. Neither character is ever the second byte of a
// double-byte character, so the bytes are read one by one.
std::vector<CString> PathFolders(const char* variable) {
    std::vector<CString> folders(1);
    bool quoted = false;
    for (const char* c = variable; *c; ++c) {
        if (*c == '"')
            quoted = !quoted;
        else if (*c == ';' && !quoted)
            folders.emplace_back();
        else
            folders.back() += *c;
    }
    return folders;
}

CString SystemFolder(UINT(WINAPI* get)(char*, UINT)) {
    char folder[MAX_PATH] = "";
    const UINT length = get(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(folder) : CString();
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
    if (m_applicationPath.IsEmpty() || !::CreateProcessA(m_applicationPath, commandLine, nullptr, nullptr,
                                                         FALSE, 0, nullptr, nullptr, &startup, &info))
        return kConverterNotStarted;
    const CHandle process(info.hProcess);
    const CHandle thread(info.hThread);
    return AwaitProgram(process.Get(), stop);
}

ProgramPlaces SystemProgramPlaces(const char* programFolder) {
    ProgramPlaces places;
    places.programFolder = programFolder;
    places.systemFolder = SystemFolder(&::GetSystemDirectoryA);
    places.windowsFolder = SystemFolder(&::GetWindowsDirectoryA);
    const DWORD size = ::GetEnvironmentVariableA("PATH", nullptr, 0);
    if (size > 0) {
        const DWORD length =
            ::GetEnvironmentVariableA("PATH", places.searchPath.GetBuffer(static_cast<int>(size)), size);
        places.searchPath.ReleaseBuffer(length < size ? static_cast<int>(length) : 0);
    }
    return places;
}

CString FindConverterProgram(const ProgramPlaces& places) {
    std::vector<CString> folders{places.programFolder, places.systemFolder, places.windowsFolder};
    for (const CString& folder : PathFolders(places.searchPath))
        folders.push_back(folder);
    for (const CString& folder : folders) {
        const CString found = IsFullPath(folder) ? ProgramIn(folder) : CString();
        if (!found.IsEmpty())
            return found;
    }
    return CString();
}
