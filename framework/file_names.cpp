#include "framework/file_names.h"

#include "framework/wide_api.h"

#include <shellapi.h>

namespace files {
namespace {
// For an ANSI function; false, with the error the system gives for a bad name, when the code page
// lacks a letter of it (no such file can exist where the ANSI functions serve).
bool Ansi(const wchar_t* name, CString& ansi) {
    if (AnsiForm(name, ansi))
        return true;
    ::SetLastError(ERROR_INVALID_NAME);
    return false;
}

// What a call that fills a buffer of MAX_PATH characters and returns the length gave: empty when
// it failed or would not fit (it then returns the size it needs).
template <typename Fill> CStringW Filled(Fill fill) {
    CStringW text;
    const DWORD length = fill(text.GetBuffer(MAX_PATH), static_cast<DWORD>(MAX_PATH));
    text.ReleaseBuffer(length > 0 && length < MAX_PATH ? static_cast<int>(length) : 0);
    return text;
}
template <typename Fill> CStringW FilledAnsi(Fill fill) {
    char text[MAX_PATH] = "";
    const DWORD length = fill(text, static_cast<DWORD>(MAX_PATH));
    return length > 0 && length < MAX_PATH ? FromAnsi(text) : CStringW();
}

CStringW ShellName(const void* item, UINT flags) {
    if (const WideApi* wide = GetWideApi()) {
        SHFILEINFOW info{};
        if (!wide->SHGetFileInfoW(static_cast<const wchar_t*>(item), 0, &info, sizeof(info), flags))
            return CStringW();
        return info.szDisplayName;
    }
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(static_cast<const char*>(item), 0, &info, sizeof(info), flags))
        return CStringW();
    return FromAnsi(info.szDisplayName);
}
} // namespace

bool WideNames() {
    return GetWideApi() != nullptr;
}

CString AnsiLookAlike(const wchar_t* name) {
    CString ansi;
    const int size = ::WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
    if (size > 0 && ::WideCharToMultiByte(CP_ACP, 0, name, -1, ansi.GetBuffer(size), size, nullptr, nullptr))
        ansi.ReleaseBuffer();
    else
        ansi.ReleaseBuffer(0);
    return ansi;
}

bool AnsiForm(const wchar_t* name, CString& ansi) {
    // The system swaps a letter the code page lacks for a look-alike ("L" for "Ł") without saying
    // so (NT 4.0 has no flag that asks it not to): only a name that comes back whole is the same.
    ansi = AnsiLookAlike(name);
    return FromAnsi(ansi) == CStringW(name);
}

CStringW FromAnsi(const char* name) {
    CStringW wide;
    const int size = ::MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0);
    if (size > 0 && ::MultiByteToWideChar(CP_ACP, 0, name, -1, wide.GetBuffer(size), size))
        wide.ReleaseBuffer();
    else
        wide.ReleaseBuffer(0);
    return wide;
}

std::string ToUtf8(const wchar_t* name) {
    std::string text;
    for (const wchar_t* c = name; *c; ++c) {
        unsigned long code = static_cast<unsigned short>(*c);
        // A pair makes one character; a surrogate alone is written as if it were one.
        if (code >= 0xD800 && code < 0xDC00 && c[1] >= 0xDC00 && c[1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<unsigned short>(*++c) - 0xDC00);
        if (code < 0x80) {
            text += static_cast<char>(code);
            continue;
        }
        const int trail = code < 0x800 ? 1 : (code < 0x10000 ? 2 : 3);
        text += static_cast<char>(((0xFF00 >> (trail + 1)) & 0xFF) | (code >> (6 * trail)));
        for (int shift = 6 * (trail - 1); shift >= 0; shift -= 6)
            text += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
    }
    return text;
}

CStringW FromUtf8(const char* text) {
    CStringW name;
    for (auto* c = reinterpret_cast<const unsigned char*>(text); *c;) {
        unsigned long code = *c++;
        const int trail = code >= 0xF0 ? 3 : (code >= 0xE0 ? 2 : (code >= 0xC0 ? 1 : 0));
        code &= 0x7F >> (trail ? trail + 1 : 0);
        for (int i = 0; i < trail && (*c & 0xC0) == 0x80; ++i)
            code = (code << 6) | (*c++ & 0x3F);
        if (code >= 0x10000) {
            name += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            code = 0xDC00 + (code & 0x3FF);
        }
        name += static_cast<wchar_t>(code);
    }
    return name;
}

DWORD Attributes(const wchar_t* path) {
    if (const WideApi* wide = GetWideApi())
        return wide->GetFileAttributesW(path);
    CString ansi;
    return Ansi(path, ansi) ? ::GetFileAttributesA(ansi) : INVALID_FILE_ATTRIBUTES;
}

HANDLE Open(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    if (const WideApi* wide = GetWideApi())
        return wide->CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
    CString ansi;
    if (!Ansi(path, ansi))
        return INVALID_HANDLE_VALUE;
    return ::CreateFileA(ansi, access, share, nullptr, disposition, flags, nullptr);
}

bool Delete(const wchar_t* path) {
    if (const WideApi* wide = GetWideApi())
        return wide->DeleteFileW(path) != FALSE;
    CString ansi;
    return Ansi(path, ansi) && ::DeleteFileA(ansi);
}

bool Move(const wchar_t* from, const wchar_t* to) {
    if (const WideApi* wide = GetWideApi())
        return wide->MoveFileW(from, to) != FALSE;
    CString ansiFrom, ansiTo;
    return Ansi(from, ansiFrom) && Ansi(to, ansiTo) && ::MoveFileA(ansiFrom, ansiTo);
}

bool MoveEx(const wchar_t* from, const wchar_t* to, DWORD flags) {
    if (const WideApi* wide = GetWideApi())
        return wide->MoveFileExW(from, to, flags) != FALSE;
    CString ansiFrom, ansiTo;
    return Ansi(from, ansiFrom) && Ansi(to, ansiTo) && ::MoveFileExA(ansiFrom, ansiTo, flags);
}

bool Copy(const wchar_t* from, const wchar_t* to, bool failIfExists) {
    if (const WideApi* wide = GetWideApi())
        return wide->CopyFileW(from, to, failIfExists) != FALSE;
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
}

bool MakeFolder(const wchar_t* path, SECURITY_ATTRIBUTES* security) {
    if (const WideApi* wide = GetWideApi())
        return wide->CreateDirectoryW(path, security) != FALSE;
    CString ansi;
    return Ansi(path, ansi) && ::CreateDirectoryA(ansi, security);
}

std::FILE* OpenStream(const wchar_t* path, const char* mode) {
    if (const WideApi* wide = GetWideApi())
        return wide->_wfopen(path, FromAnsi(mode));
    CString ansi;
    return Ansi(path, ansi) ? std::fopen(ansi, mode) : nullptr;
}

bool StartProcess(const wchar_t* application, const char* commandLine, const wchar_t* folder,
                  PROCESS_INFORMATION& info) {
    if (const WideApi* wide = GetWideApi()) {
        // The program reads its line back in the code page: the ANSI line arrives whole.
        CStringW line = FromAnsi(commandLine);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        return wide->CreateProcessW(application, line.GetBuffer(line.GetLength()), nullptr, nullptr, FALSE, 0,
                                    nullptr, folder, &startup, &info) != FALSE;
    }
    CString ansi, ansiFolder;
    if (!Ansi(application, ansi) || !Ansi(folder, ansiFolder))
        return false;
    CString line(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    return ::CreateProcessA(ansi, line.GetBuffer(line.GetLength()), nullptr, nullptr, FALSE, 0, nullptr,
                            ansiFolder, &startup, &info) != FALSE;
}

CStringW TempFolder() {
    if (const WideApi* wide = GetWideApi())
        return Filled([&](wchar_t* text, DWORD size) { return wide->GetTempPathW(size, text); });
    return FilledAnsi([](char* text, DWORD size) { return ::GetTempPathA(size, text); });
}

CStringW TempFileName(const wchar_t* folder, const wchar_t* prefix) {
    if (const WideApi* wide = GetWideApi()) {
        wchar_t name[MAX_PATH] = L"";
        return wide->GetTempFileNameW(folder, prefix, 0, name) ? CStringW(name) : CStringW();
    }
    CString ansiFolder, ansiPrefix;
    char name[MAX_PATH] = "";
    if (!Ansi(folder, ansiFolder) || !Ansi(prefix, ansiPrefix) ||
        !::GetTempFileNameA(ansiFolder, ansiPrefix, 0, name))
        return CStringW();
    return FromAnsi(name);
}

CStringW ShortPath(const wchar_t* path) {
    if (const WideApi* wide = GetWideApi())
        return Filled([&](wchar_t* text, DWORD size) { return wide->GetShortPathNameW(path, text, size); });
    CString ansi;
    if (!Ansi(path, ansi))
        return CStringW();
    return FilledAnsi([&](char* text, DWORD size) { return ::GetShortPathNameA(ansi, text, size); });
}

CStringW FullPath(const wchar_t* path) {
    if (const WideApi* wide = GetWideApi())
        return Filled(
            [&](wchar_t* text, DWORD size) { return wide->GetFullPathNameW(path, size, text, nullptr); });
    CString ansi;
    if (!Ansi(path, ansi))
        return CStringW();
    return FilledAnsi([&](char* text, DWORD size) { return ::GetFullPathNameA(ansi, size, text, nullptr); });
}

CStringW ModulePath(HMODULE module) {
    if (const WideApi* wide = GetWideApi())
        return Filled(
            [&](wchar_t* text, DWORD size) { return wide->GetModuleFileNameW(module, text, size); });
    return FilledAnsi([&](char* text, DWORD size) { return ::GetModuleFileNameA(module, text, size); });
}

CStringW SystemFolder() {
    if (const WideApi* wide = GetWideApi())
        return Filled([&](wchar_t* text, DWORD size) { return wide->GetSystemDirectoryW(text, size); });
    return FilledAnsi([](char* text, DWORD size) { return ::GetSystemDirectoryA(text, size); });
}

CStringW WindowsFolder() {
    if (const WideApi* wide = GetWideApi())
        return Filled([&](wchar_t* text, DWORD size) { return wide->GetWindowsDirectoryW(text, size); });
    return FilledAnsi([](char* text, DWORD size) { return ::GetWindowsDirectoryA(text, size); });
}

CStringW Variable(const wchar_t* name) {
    if (const WideApi* wide = GetWideApi()) {
        const DWORD size = wide->GetEnvironmentVariableW(name, nullptr, 0);
        CStringW value;
        const DWORD length =
            size ? wide->GetEnvironmentVariableW(name, value.GetBuffer(static_cast<int>(size)), size) : 0;
        value.ReleaseBuffer(length < size ? static_cast<int>(length) : 0);
        return value;
    }
    CString ansiName, value;
    if (!Ansi(name, ansiName))
        return CStringW();
    const DWORD size = ::GetEnvironmentVariableA(ansiName, nullptr, 0);
    const DWORD length =
        size ? ::GetEnvironmentVariableA(ansiName, value.GetBuffer(static_cast<int>(size)), size) : 0;
    value.ReleaseBuffer(length < size ? static_cast<int>(length) : 0);
    return FromAnsi(value);
}

CStringW PathOfIdList(LPCITEMIDLIST list) {
    if (const WideApi* wide = GetWideApi()) {
        wchar_t path[MAX_PATH] = L"";
        return wide->SHGetPathFromIDListW(list, path) ? CStringW(path) : CStringW();
    }
    char path[MAX_PATH] = "";
    return ::SHGetPathFromIDListA(list, path) ? FromAnsi(path) : CStringW();
}

CStringW DroppedPath(HDROP drop, UINT index) {
    // A longer path would come back cut short, naming some other folder.
    if (const WideApi* wide = GetWideApi()) {
        wchar_t path[MAX_PATH] = L"";
        const UINT length = wide->DragQueryFileW(drop, index, nullptr, 0);
        return length > 0 && length < MAX_PATH && wide->DragQueryFileW(drop, index, path, MAX_PATH)
                   ? CStringW(path)
                   : CStringW();
    }
    char path[MAX_PATH] = "";
    const UINT length = ::DragQueryFileA(drop, index, nullptr, 0);
    return length > 0 && length < MAX_PATH && ::DragQueryFileA(drop, index, path, MAX_PATH) ? FromAnsi(path)
                                                                                            : CStringW();
}

CStringW DisplayName(const wchar_t* path) {
    if (WideNames())
        return ShellName(path, SHGFI_DISPLAYNAME);
    CString ansi;
    return Ansi(path, ansi) ? ShellName(ansi.GetString(), SHGFI_DISPLAYNAME) : CStringW();
}

CStringW DisplayNameOfIdList(LPCITEMIDLIST list) {
    return ShellName(list, SHGFI_PIDL | SHGFI_DISPLAYNAME);
}

int OpenWithShell(const wchar_t* path) {
    if (const WideApi* wide = GetWideApi())
        return static_cast<int>(reinterpret_cast<INT_PTR>(
            wide->ShellExecuteW(nullptr, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL)));
    CString ansi;
    if (!Ansi(path, ansi))
        return ERROR_FILE_NOT_FOUND;
    return static_cast<int>(
        reinterpret_cast<INT_PTR>(::ShellExecuteA(nullptr, nullptr, ansi, nullptr, nullptr, SW_SHOWNORMAL)));
}
} // namespace files
