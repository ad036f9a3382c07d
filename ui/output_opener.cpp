#include "ui/output_opener.h"

#include "framework/file_names.h"
#include "framework/handle.h"

#include <ole2.h>
#include <process.h>
#include <shellapi.h>

#include <memory>

namespace {
// Made on the window thread and handed whole to the opening thread, which alone owns it from then on.
struct Opening {
    HWND window;
    CStringW path;
};

unsigned __stdcall OpenOnThread(void* param) {
    const std::unique_ptr<Opening> opening(static_cast<Opening*>(param));
    // The shell may hand the file to extensions that need COM on the calling thread.
    const HRESULT ole = ::OleInitialize(nullptr);
    const int code = files::OpenWithShell(opening->path);
    if (SUCCEEDED(ole))
        ::OleUninitialize();
    if (code <= 32)
        ::PostMessageA(opening->window, WM_OUTPUT_NOT_OPENED, static_cast<WPARAM>(code), 0);
    return 0;
}
} // namespace

void OpenOutput(HWND window, const CStringW& path) {
    auto opening = std::make_unique<Opening>(Opening{window, path});
    // Nobody waits for the thread: it ends when the shell has answered.
    const CHandle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &OpenOnThread, opening.get(), 0, nullptr)));
    if (thread)
        static_cast<void>(opening.release());
    else
        ::PostMessageA(window, WM_OUTPUT_NOT_OPENED, 0, 0);
}

CString OutputNotOpenedReason(int code) {
    CString text;
    switch (code) {
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
        text = "No program is set to open this kind of file: install a viewer for it, or choose one in "
               "Explorer";
        break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        text = "The output is no longer there (moved or deleted): convert the file again";
        break;
    default:
        text.Format("Windows could not open the output (error %d)", code);
        break;
    }
    return text;
}
