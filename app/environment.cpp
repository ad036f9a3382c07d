#include "app/environment.h"

#include "framework/file_names.h"

#include <cstring>
#include <memory>
#include <new>

int WindowsGeneration = 0;
wchar_t TempTiffPath[MAX_PATH] = L"";
wchar_t TarnvelFolder[MAX_PATH] = L"";

namespace {
const wchar_t kTempTiffName[] = L"zq4intmp.tif";
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

void MakeTempTiffPath(wchar_t (&path)[MAX_PATH]) {
    const CStringW folder = files::TempFolder();
    const size_t length = static_cast<size_t>(folder.GetLength());
    path[0] = L'\0';
    // No temporary folder at all leaves the bare name, which the current directory then holds.
    if (length + sizeof(kTempTiffName) / sizeof(wchar_t) > MAX_PATH)
        return;
    std::memcpy(path, folder.GetString(), length * sizeof(wchar_t));
    std::memcpy(path + length, kTempTiffName, sizeof(kTempTiffName));
}

void MakeTarnvelFolder(wchar_t (&folder)[MAX_PATH]) {
    const CStringW program = files::ModulePath(nullptr);
    const int slash = program.ReverseFind(L'\\');
    const int length = slash > 0 ? slash : 0;
    std::memcpy(folder, program.GetString(), static_cast<size_t>(length) * sizeof(wchar_t));
    folder[length] = L'\0';
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
