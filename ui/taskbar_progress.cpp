#include "ui/taskbar_progress.h"

namespace {
// The shell's taskbar object and its interface of Windows 7; named here, the headers' names would
// bring in a library for two constants.
const CLSID kTaskbarList = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
const IID kTaskbarList3 = {0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};
// ChangeWindowMessageFilter's MSGFLT_ADD.
constexpr DWORD kLetMessageIn = 1;

bool IsWindows7OrLater() {
    const DWORD version = ::GetVersion();
    const BYTE major = LOBYTE(LOWORD(version));
    const BYTE minor = HIBYTE(LOWORD(version));
    return !(version & 0x80000000) && (major > 6 || (major == 6 && minor >= 1));
}

// `name`'s export of user32: looked up, so that the program imports nothing for a taskbar that
// only newer systems have.
template <typename Function> Function UserFunction(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), name)));
}
} // namespace

CTaskbarProgress::CTaskbarProgress() {
    if (!IsWindows7OrLater())
        return;
    if (const auto registerMessage = UserFunction<UINT(WINAPI*)(const char*)>("RegisterWindowMessageA"))
        m_buttonCreated = registerMessage("TaskbarButtonCreated");
    // Run as administrator, the window hears from the shell (which runs as the user) only what it
    // lets in.
    const auto letIn = UserFunction<BOOL(WINAPI*)(UINT, DWORD)>("ChangeWindowMessageFilter");
    if (m_buttonCreated && letIn)
        letIn(m_buttonCreated, kLetMessageIn);
}

bool CTaskbarProgress::OnButtonCreated(HWND window, UINT message) {
    if (!m_buttonCreated || message != m_buttonCreated)
        return false;
    m_window = window;
    if (FAILED(::CoCreateInstance(kTaskbarList, nullptr, CLSCTX_INPROC_SERVER, kTaskbarList3,
                                  reinterpret_cast<void**>(m_taskbar.Receive()))) ||
        FAILED(m_taskbar->HrInit())) {
        m_taskbar.Release();
        return true;
    }
    // A shell that restarted during a batch shows where the batch is.
    if (m_state != TBPF_NOPROGRESS) {
        m_taskbar->SetProgressState(m_window, m_state);
        m_taskbar->SetProgressValue(m_window, m_done, m_total);
    }
    return true;
}

void CTaskbarProgress::Show(int done, int total) {
    if (total <= 0)
        return;
    const bool starting = m_state != TBPF_NORMAL;
    m_state = TBPF_NORMAL;
    m_done = static_cast<ULONGLONG>(done);
    m_total = static_cast<ULONGLONG>(total);
    if (!m_taskbar)
        return;
    // The error state of the batch before stays until it is left expressly.
    if (starting)
        m_taskbar->SetProgressState(m_window, TBPF_NORMAL);
    m_taskbar->SetProgressValue(m_window, m_done, m_total);
}

void CTaskbarProgress::End(bool failed) {
    m_state = failed ? TBPF_ERROR : TBPF_NOPROGRESS;
    if (m_taskbar)
        m_taskbar->SetProgressState(m_window, m_state);
}
