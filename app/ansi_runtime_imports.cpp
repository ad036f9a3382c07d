// The compiler's runtime libraries (thread support, exception tables, the C runtime's extras) call
// three wide-character kernel32 functions that Windows 95, 98 and Me export only as stubs that
// fail. The program defines their import slots itself, pointing at ANSI equivalents, so the
// runtime works the same on every system and the import table names only the ANSI functions.
// It takes LoadLibraryA's slot too, so that every library loaded by name, by the program or its
// runtime, comes by full path.
// Linked into the program file directly: from a library the linker would take kernel32's slots.
#include "app/environment.h"

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

// A bare name would be looked for in the program's folder and the current directory too; the
// system's own LoadLibraryA is reached by its export, since this file holds its import slot.
HMODULE WINAPI LoadLibraryByFullPath(const char* name) {
    using Loader = HMODULE(WINAPI*)(const char*);
    const auto load = reinterpret_cast<Loader>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    char path[MAX_PATH];
    return name != nullptr && load && SystemModulePath(name, path) ? load(path) : nullptr;
}

HMODULE WINAPI LoadLibraryAnsi(const wchar_t* name) {
    char narrow[MAX_PATH];
    return name != nullptr && Narrow(name, narrow) ? LoadLibraryByFullPath(narrow) : nullptr;
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
using ModuleByNarrowName = HMODULE(WINAPI*)(const char*);
using SemaphoreMaker = HANDLE(WINAPI*)(SECURITY_ATTRIBUTES*, LONG, LONG, const wchar_t*);

// Constant-initialised, so they hold their targets before any runtime start-up code runs.
extern "C" {
ModuleByName tarnvel_imp_GetModuleHandleW __asm__("__imp__GetModuleHandleW@4") = GetModuleHandleAnsi;
ModuleByName tarnvel_imp_LoadLibraryW __asm__("__imp__LoadLibraryW@4") = LoadLibraryAnsi;
ModuleByNarrowName tarnvel_imp_LoadLibraryA __asm__("__imp__LoadLibraryA@4") = LoadLibraryByFullPath;
SemaphoreMaker tarnvel_imp_CreateSemaphoreW __asm__("__imp__CreateSemaphoreW@16") = CreateSemaphoreAnsi;
}
