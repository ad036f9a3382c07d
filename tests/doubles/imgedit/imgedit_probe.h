// What the stand-in imaging control saw of its container, for the tests to read through the
// server's export ImgEditDoubleProbe (the server is loaded into the test process).
#pragma once

#include <windows.h>

struct ImgEditProbe {
    long liveObjects;       // stand-in controls not yet destroyed
    bool siteBeforeInitNew; // the client site came before InitNew, as its misc status asks
    int userMode;           // the UserMode ambient read at SetClientSite: 1, 0, or -1 if unread
    HWND parent;            // the window its own window was made a child of
    HWND window;            // its own window while active in place
    bool visibleAtCall;     // its window's visibility at the last Display or SaveAs
    DWORD callThread;       // the thread of the last Display or SaveAs
    char teardown[160];     // the teardown calls in order, each followed by a blank
    ULONG siteRefsLeft;     // the site's count when the control released it (the container's own)
};

using ImgEditProbeFn = ImgEditProbe*(__stdcall*)();

// The description of the exception a failed save raises.
constexpr wchar_t kImgEditSaveFailure[] = L"The document could not be saved.";
