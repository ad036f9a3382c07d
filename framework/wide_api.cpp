#include "framework/wide_api.h"

namespace {
// Fills `function` from `module`; false when it has no such export.
template <typename Function> bool Find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return function != nullptr;
}

bool Load(WideApi& api) {
    // All four are loaded: the program imports from each.
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const HMODULE user = ::GetModuleHandleA("user32.dll");
    const HMODULE shell = ::GetModuleHandleA("shell32.dll");
    const HMODULE runtime = ::GetModuleHandleA("msvcrt.dll");
    Find(kernel, "FindFirstFileExW", api.FindFirstFileExW);
    return Find(kernel, "FindFirstFileW", api.FindFirstFileW) &&
           Find(kernel, "FindNextFileW", api.FindNextFileW) && Find(kernel, "CreateFileW", api.CreateFileW) &&
           Find(kernel, "GetFileAttributesW", api.GetFileAttributesW) &&
           Find(kernel, "DeleteFileW", api.DeleteFileW) && Find(kernel, "MoveFileW", api.MoveFileW) &&
           Find(kernel, "MoveFileExW", api.MoveFileExW) && Find(kernel, "CopyFileW", api.CopyFileW) &&
           Find(kernel, "CreateDirectoryW", api.CreateDirectoryW) &&
           Find(kernel, "GetTempPathW", api.GetTempPathW) &&
           Find(kernel, "GetTempFileNameW", api.GetTempFileNameW) &&
           Find(kernel, "GetShortPathNameW", api.GetShortPathNameW) &&
           Find(kernel, "GetFullPathNameW", api.GetFullPathNameW) &&
           Find(kernel, "GetModuleFileNameW", api.GetModuleFileNameW) &&
           Find(kernel, "GetSystemDirectoryW", api.GetSystemDirectoryW) &&
           Find(kernel, "GetWindowsDirectoryW", api.GetWindowsDirectoryW) &&
           Find(kernel, "GetEnvironmentVariableW", api.GetEnvironmentVariableW) &&
           Find(kernel, "CreateProcessW", api.CreateProcessW) &&
           Find(kernel, "GetCommandLineW", api.GetCommandLineW) &&
           Find(user, "CreateDialogParamW", api.CreateDialogParamW) &&
           Find(user, "GetMessageW", api.GetMessageW) &&
           Find(user, "IsDialogMessageW", api.IsDialogMessageW) &&
           Find(user, "DispatchMessageW", api.DispatchMessageW) &&
           Find(user, "GetWindowTextLengthW", api.GetWindowTextLengthW) &&
           Find(user, "GetWindowTextW", api.GetWindowTextW) &&
           Find(user, "SetWindowTextW", api.SetWindowTextW) && Find(user, "MessageBoxW", api.MessageBoxW) &&
           Find(shell, "SHGetPathFromIDListW", api.SHGetPathFromIDListW) &&
           Find(shell, "SHGetFileInfoW", api.SHGetFileInfoW) &&
           Find(shell, "SHBrowseForFolderW", api.SHBrowseForFolderW) &&
           Find(shell, "ShellExecuteW", api.ShellExecuteW) &&
           Find(shell, "DragQueryFileW", api.DragQueryFileW) && Find(runtime, "_wfopen", api._wfopen);
}
} // namespace

const WideApi* GetWideApi() {
    static const WideApi* const api = []() -> const WideApi* {
        // The top bit of the version marks Windows 95, 98 and Me (and Win32s).
        if (::GetVersion() & 0x80000000)
            return nullptr;
        static WideApi found{};
        return Load(found) ? &found : nullptr;
    }();
    return api;
}
