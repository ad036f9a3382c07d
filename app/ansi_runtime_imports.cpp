// The compiler's runtime libraries (thread support, exception tables, the C runtime's extras) call
// three wide-character kernel32 functions that Windows 95, 98 and Me export only as stubs that
// fail. The program defines their import slots itself, pointing at ANSI equivalents, so the
// runtime works the same on every system and the import table names only the ANSI functions.
// Linked into the program file directly: from a library the linker would take kernel32's slots.
#include <windows.h>

namespace {
// Module names and semaphore names here are plain ASCII; a name that cannot be converted fails.
bool Narrow(const wchar_t* wide, char (&narrow)[MAX_PATH]) {
    return ::WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, MAX_PATH, nullptr, nullptr) != 0;
}

HMODULE WINAPI GetModuleHandleAnsi(const wchar_t* name) {
    char narrow[MAX_PATH];
    if (name == nullptr)
        return ::GetModuleHandleA(nullptr);
    return Narrow(name, narrow) ? ::GetModuleHandleA(narrow) : nullptr;
}

HMODULE WINAPI LoadLibraryAnsi(const wchar_t* name) {
    char narrow[MAX_PATH];
    return name != nullptr && Narrow(name, narrow) ? ::LoadLibraryA(narrow) : nullptr;
}

HANDLE WINAPI CreateSemaphoreAnsi(SECURITY_ATTRIBUTES* security, LONG initial, LONG maximum,
                                  const wchar_t* name) {
    char narrow[MAX_PATH];
    if (name == nullptr)
        return ::CreateSemaphoreA(security, initial, maximum, nullptr);
    return Narrow(name, narrow) ? ::CreateSemaphoreA(security, initial, maximum, narrow) : nullptr;
}
} // namespace

using ModuleByName = HMODULE(WINAPI*)(const wchar_t*);
using SemaphoreMaker = HANDLE(WINAPI*)(SECURITY_ATTRIBUTES*, LONG, LONG, const wchar_t*);

// Constant-initialised, so they hold their targets before any runtime start-up code runs.
extern "C" {
ModuleByName tarnvel_imp_GetModuleHandleW __asm__("__imp__GetModuleHandleW@4") = GetModuleHandleAnsi;
ModuleByName tarnvel_imp_LoadLibraryW __asm__("__imp__LoadLibraryW@4") = LoadLibraryAnsi;
SemaphoreMaker tarnvel_imp_CreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16") = CreateSemaphoreAnsi;
}
