#include "framework/win_app.h"

#include "framework/wnd.h"

namespace {
CWinApp* g_app = nullptr;

CString ModuleBaseName() {
    char path[MAX_PATH] = "";
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString name(path);
    int slash = name.ReverseFind('\\');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    int dot = name.ReverseFind('.');
    if (dot > 0)
        name = name.Left(dot);
    return name;
}
} // namespace

CWinApp::CWinApp(const char* appName) : m_strAppName(appName ? CString(appName) : ModuleBaseName()) {
    m_pszAppName = m_strAppName;
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

const wchar_t* SkipProgramName(const wchar_t* commandLine) {
    const wchar_t* c = commandLine ? commandLine : L"";
    if (*c == L'"') {
        for (++c; *c && *c != L'"'; ++c) {
        }
        if (*c)
            ++c;
    } else {
        while (*c && *c != L' ' && *c != L'\t')
            ++c;
    }
    while (*c == L' ' || *c == L'\t')
        ++c;
    return c;
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetResourceHandle() {
    return ::GetModuleHandleA(nullptr);
}

const char* AfxGetAppName() {
    if (g_app)
        return g_app->m_pszAppName;
    static const CString name = ModuleBaseName();
    return name;
}

int AfxMessageBox(const char* text, UINT type) {
    // Owned by the box that is up in front of the main window, if any, so that box waits too.
    CWnd* mainWnd = AfxGetMainWnd();
    HWND owner = mainWnd ? ::GetLastActivePopup(mainWnd->m_hWnd) : nullptr;
    return ::MessageBoxA(owner, text, AfxGetAppName(), type);
}
