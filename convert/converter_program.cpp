#include "convert/converter_program.h"

#include "convert/code_page_paths.h"
#include "convert/output_path.h"
#include "framework/file_names.h"
#include "framework/handle.h"

#include <cstdio>
#include <vector>

namespace {
const wchar_t kProgramName[] = L"AWDVSTUB.EXE";
// The program reads its command line into a buffer of this size.
constexpr int kCommandLineSize = 300;
// How long an ended program may take to go away.
constexpr DWORD kEndingMs = 1000;

bool Compose(char (&line)[kCommandLineSize], const CString* source, const CString* target) {
    if (!source || !target)
        return false;
    const int length = std::snprintf(line, sizeof(line), "AWDVSTUB.EXE /c \"%s\" \"%s\"", source->GetString(),
                                     target->GetString());
    return length >= 0 && length < kCommandLineSize;
}

// The paths as they are; where that is not possible or too long for the program, their short
// forms, the source's first, then both.
bool ComposeFitting(char (&line)[kCommandLineSize], CodePagePath& source, CodePagePath& target) {
    return Compose(line, source.Full(), target.Full()) || Compose(line, source.Short(), target.Full()) ||
           Compose(line, source.Full(), target.Short()) || Compose(line, source.Short(), target.Short());
}

// The program's full path when it lies in `folder`, else empty.
CStringW ProgramIn(const wchar_t* folder) {
    CStringW path;
    if (!folder || !*folder || !JoinPath(path, folder, kProgramName))
        return CStringW();
    const DWORD attributes = files::Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return CStringW();
    return path;
}

// "C:\x" or "\\server\share\x": a folder that does not depend on the current directory or drive.
bool IsFullPath(const wchar_t* folder) {
    if (folder[0] == L'\\' && folder[1] == L'\\')
        return true;
    return folder[0] != L'\0' && folder[1] == L':' && (folder[2] == L'\\' || folder[2] == L'/');
}

// The folders of a PATH variable, in order. A folder whose name holds a ';' stands there in
// quotes; the quotes are not part of the name.
std::vector<CStringW> PathFolders(const wchar_t* variable) {
    std::vector<CStringW> folders(1);
    bool quoted = false;
    for (const wchar_t* c = variable; *c; ++c) {
        if (*c == L'"')
            quoted = !quoted;
        else if (*c == L';' && !quoted)
            folders.emplace_back();
        else
            folders.back() += *c;
    }
    return folders;
}

// The folder that holds `path`; a drive's root with its backslash.
CStringW FolderOf(const CStringW& path) {
    const int slash = path.ReverseFind(L'\\');
    return path.Left(slash > 0 && path.GetString()[slash - 1] == L':' ? slash + 1 : slash);
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
    return woke == WAIT_TIMEOUT ? kStopped : kConverterWaitFailed;
}
} // namespace

int ConverterProgram::Render(const wchar_t* source, const wchar_t* target, const StopRequest& stop,
                             ConversionOutcome& outcome) {
    CodePagePaths paths(source, target);
    if (const int carried = paths.Result())
        return carried;
    char commandLine[kCommandLineSize];
    if (!ComposeFitting(commandLine, paths.Source(), paths.Target()))
        return kCommandLineTooLong;

    // In its own folder: made for Windows XP, it loads optional libraries by their bare names from
    // the current directory, and Tarnvel's may be any (a downloads folder, a shortcut's "Start in").
    PROCESS_INFORMATION info{};
    if (m_applicationPath.IsEmpty())
        return kConverterNotStarted;
    if (!files::StartProcess(m_applicationPath, commandLine, FolderOf(m_applicationPath), info)) {
        outcome.error = HRESULT_FROM_WIN32(::GetLastError());
        return kConverterNotStarted;
    }
    const CHandle process(info.hProcess);
    const CHandle thread(info.hThread);
    return AwaitProgram(process.Get(), stop);
}

ProgramPlaces SystemProgramPlaces(const wchar_t* programFolder) {
    ProgramPlaces places;
    places.programFolder = programFolder;
    places.systemFolder = files::SystemFolder();
    places.windowsFolder = files::WindowsFolder();
    places.searchPath = files::Variable(L"PATH");
    return places;
}

CStringW FindConverterProgram(const ProgramPlaces& places) {
    std::vector<CStringW> folders{places.programFolder, places.systemFolder, places.windowsFolder};
    for (const CStringW& folder : PathFolders(places.searchPath))
        folders.push_back(folder);
    for (const CStringW& folder : folders) {
        const CStringW found = IsFullPath(folder) ? ProgramIn(folder) : CStringW();
        if (!found.IsEmpty())
            return found;
    }
    return CStringW();
}
