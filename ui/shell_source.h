// Where folder trees get the shell's desktop folder and task allocator. The defaults are the
// shell's own functions; a test can point them at wrappers that forward to the shell's objects,
// to count what a tree allocates and frees or to make the shell fail.
#pragma once

#include <windows.h>
#include <shlobj.h>

struct ShellSource {
    HRESULT(WINAPI* getDesktopFolder)(IShellFolder** folder);
    HRESULT(WINAPI* getMalloc)(IMalloc** malloc);
};

// Read by each tree's constructor.
extern ShellSource g_shellSource;
