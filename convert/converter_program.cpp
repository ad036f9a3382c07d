#include "convert/converter_program.h"

#include "convert/output_path.h"
#include "framework/file_names.h"
#include "framework/handle.h"

#include <cstdio>
#include <optional>
#include <vector>

CStringW (*g_shortPathOf)(const wchar_t* path) = &files::ShortPath;

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

// The 8.3 form of `path`. A file that does not exist yet (the temporary file) gets its folder's
// short form and keeps its name.
CStringW ShortForm(const wchar_t* path) {
    const CStringW shortPath = g_shortPathOf(path);
    if (!shortPath.IsEmpty())
        return shortPath;
    const CStringW text(path);
    const int slash = text.ReverseFind(L'\\');
    if (slash <= 0)
        return CStringW();
    const CStringW folder = g_shortPathOf(text.Left(slash));
    return folder.IsEmpty() ? CStringW() : folder + text.Mid(slash);
}

// The forms of a path the command line can carry, each only where the code page spells it
// exactly: a best-fit look-alike may name another file. The short form is asked for when needed.
class ProgramPath {
public:
    explicit ProgramPath(const wchar_t* path) : m_path(path) { m_hasFull = files::AnsiForm(path, m_full); }
    const CString* Full() const { return m_hasFull ? &m_full : nullptr; }
    const CString* Short() {
        if (!m_shortAsked) {
            m_shortAsked = true;
            const CStringW shortPath = ShortForm(m_path);
            m_hasShort = !shortPath.IsEmpty() && files::AnsiForm(shortPath, m_short);
        }
        return m_hasShort ? &m_short : nullptr;
    }
    bool Carried() { return Full() || Short(); }

private:
    CStringW m_path;
    CString m_full;
    CString m_short;
    bool m_hasFull = false;
    bool m_hasShort = false;
    bool m_shortAsked = false;
};

// The paths as they are; where that is not possible or too long for the program, their short
// forms, the source's first, then both.
bool ComposeFitting(char (&line)[kCommandLineSize], ProgramPath& source, ProgramPath& target) {
    return Compose(line, source.Full(), target.Full()) || Compose(line, source.Short(), target.Full()) ||
           Compose(line, source.Full(), target.Short()) || Compose(line, source.Short(), target.Short());
}

// A copy of a document whose path the command line cannot carry, under a plain name beside the
// temporary file; removed with the object, whatever became of the conversion.
class PlainCopy {
public:
    PlainCopy(const wchar_t* source, const wchar_t* target) {
        const CStringW temp(target);
        const int slash = temp.ReverseFind(L'\\');
        // The name made here keeps the copy's own unique: "tnvXXXX.tmp" beside "tnvXXXX.awd".
        m_reserved = slash > 0 ? files::TempFileName(temp.Left(slash), L"tnv") : CStringW();
        const int dot = m_reserved.ReverseFind(L'.');
        if (dot > 0 && files::Copy(source, m_reserved.Left(dot) + L".awd", false))
            m_copy = m_reserved.Left(dot) + L".awd";
    }
    ~PlainCopy() {
        if (!m_copy.IsEmpty())
            files::Delete(m_copy);
        if (!m_reserved.IsEmpty())
            files::Delete(m_reserved);
    }
    PlainCopy(const PlainCopy&) = delete;
    PlainCopy& operator=(const PlainCopy&) = delete;

    // Empty when no copy could be made.
    const CStringW& Path() const { return m_copy; }

private:
    CStringW m_reserved;
    CStringW m_copy;
};

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

int ConverterProgram::Render(const wchar_t* source, const wchar_t* target, const StopRequest& stop,
                             ConversionOutcome& outcome) {
    ProgramPath targetPath(target);
    if (!targetPath.Carried())
        return kTempPathNotForProgram;
    ProgramPath sourcePath(source);
    std::optional<PlainCopy> copy;
    if (!sourcePath.Carried()) {
        copy.emplace(source, target);
        if (copy->Path().IsEmpty())
            return kSourceNotCopied;
        sourcePath = ProgramPath(copy->Path());
    }
    char commandLine[kCommandLineSize];
    if (!ComposeFitting(commandLine, sourcePath, targetPath))
        return kCommandLineTooLong;

    PROCESS_INFORMATION info{};
    if (m_applicationPath.IsEmpty())
        return kConverterNotStarted;
    if (!files::StartProcess(m_applicationPath, commandLine, info)) {
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
