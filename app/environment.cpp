#include "app/environment.h"

#include <mbstring.h>

#include <cstring>
#include <memory>
#include <new>

int WindowsGeneration = 0;
char TempTiffPath[MAX_PATH] = "";
char TarnvelFolder[MAX_PATH] = "";

namespace {
const char kTempTiffName[] = "zq4intmp.tif";
// Not in the headers for the oldest systems: LOAD_LIBRARY_SEARCH_SYSTEM32.
constexpr DWORD kSearchSystem32 = 0x00000800;

// `name`'s export of kernel32, or null where the system lacks it.
template <typename Function> Function KernelFunction(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name)));
}
} // namespace

int ClassifyWindowsVersion(DWORD version, const OSVERSIONINFOA* info) {
    if (version & 0x80000000) {
        if (LOBYTE(LOWORD(version)) < 4)
            return 0;
        if (!info || info->dwMajorVersion != 4)
            return 2;
        if (info->dwMinorVersion == 10)
            return 3;
        if (info->dwMinorVersion == 90)
            return 4;
        return 2;
    }
    if (!info)
        return 1;
    if (info->dwMajorVersion == 4)
        return 5;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 0)
        return 6;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 1)
        return 7;
    return 1;
}

int GetWindowsGeneration() {
    const DWORD version = ::GetVersion();
    if ((version & 0x80000000) && LOBYTE(LOWORD(version)) < 4)
        return 0;
    std::unique_ptr<OSVERSIONINFOA> info(new (std::nothrow) OSVERSIONINFOA{});
    if (info) {
        info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        ::GetVersionExA(info.get());
    }
    return ClassifyWindowsVersion(version, info.get());
}

void MakeTempTiffPath(char (&path)[MAX_PATH]) {
    char folder[MAX_PATH] = "";
    DWORD length = ::GetTempPathA(MAX_PATH, folder);
    if (length >= MAX_PATH || length + sizeof(kTempTiffName) > MAX_PATH) {
        path[0] = '\0';
        return;
    }
    if (length == 0)
        folder[0] = '\0';
    std::memcpy(path, folder, length);
    std::memcpy(path + length, kTempTiffName, sizeof(kTempTiffName));
}

void MakeTarnvelFolder(char (&folder)[MAX_PATH]) {
    const DWORD length = ::GetModuleFileNameA(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        folder[0] = '\0';
        return;
    }
    // By characters: a backslash byte can be the second half of a double-byte character.
    unsigned char* slash = _mbsrchr(reinterpret_cast<unsigned char*>(folder), '\\');
    if (slash)
        *slash = '\0';
    else
        folder[0] = '\0';
}

void RestrictDllSearch() {
    using SetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    using SetDllDirectory = BOOL(WINAPI*)(const char*);
    if (const auto setDefault = KernelFunction<SetDefaultDllDirectories>("SetDefaultDllDirectories"))
        if (setDefault(kSearchSystem32))
            return;
    // The empty string takes the current directory out of the search.
    if (const auto setDirectory = KernelFunction<SetDllDirectory>("SetDllDirectoryA"))
        setDirectory("");
}

bool SystemModulePath(const char* name, char (&path)[MAX_PATH]) {
    path[0] = '\0';
    const size_t nameLength = std::strlen(name);
    if (std::strchr(name, '\\') || std::strchr(name, '/') || std::strchr(name, ':')) {
        if (nameLength >= MAX_PATH)
            return false;
        std::memcpy(path, name, nameLength + 1);
        return true;
    }
    if (const HMODULE loaded = ::GetModuleHandleA(name)) {
        const DWORD length = ::GetModuleFileNameA(loaded, path, MAX_PATH);
        return length > 0 && length < MAX_PATH;
    }
    const UINT folder = ::GetSystemDirectoryA(path, MAX_PATH);
    if (folder == 0 || folder + 1 + nameLength >= MAX_PATH) {
        path[0] = '\0';
        return false;
    }
    path[folder] = '\\';
    std::memcpy(path + folder + 1, name, nameLength + 1);
    return true;
}
