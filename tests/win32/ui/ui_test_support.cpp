#include "ui_test_support.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstring>
#include <vector>

namespace {
struct FindContext {
    const DialogWatcher::Match* match;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lParam) {
    auto* context = reinterpret_cast<FindContext*>(lParam);
    char className[16] = "";
    ::GetClassNameA(hwnd, className, sizeof(className));
    if (std::strcmp(className, "#32770") != 0 || !::IsWindowVisible(hwnd))
        return TRUE;
    if (!(*context->match)(hwnd))
        return TRUE;
    context->found = hwnd;
    return FALSE;
}

void WriteDefault(HKEY root, const char* subkey, const char* value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, subkey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     static_cast<DWORD>(std::strlen(value) + 1));
    ::RegCloseKey(key);
}
} // namespace

HostWindow::HostWindow() : m_font(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))) {
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 50, 50, 480, 320, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    m_wnd.SubclassWindow(hwnd);
}

HostWindow::~HostWindow() {
    // The subclassing object takes the window (and its children) down with it.
}

HWND HostWindow::AddStatic(const char* text, DWORD style, const RECT& rect, int id, bool font) {
    HWND control = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, hwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     ::GetModuleHandleA(nullptr), nullptr);
    if (font)
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    return control;
}

RECT RectInParent(HWND hwnd) {
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

DialogWatcher::DialogWatcher(Match match, Act act)
    : m_match(std::move(match)), m_act(std::move(act)), m_timer(50, [this] { Tick(); }) {}

void DialogWatcher::Tick() {
    if (m_busy)
        return;
    FindContext context{&m_match, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&context));
    if (!context.found || context.found == m_last)
        return;
    m_last = context.found;
    ++m_seen;
    // The action may run a modal loop of its own; the timer keeps firing in it.
    m_busy = true;
    m_act(context.found);
    m_busy = false;
}

namespace {
BOOL CALLBACK FindTree(HWND hwnd, LPARAM lParam) {
    char className[32] = "";
    ::GetClassNameA(hwnd, className, sizeof(className));
    if (std::strcmp(className, WC_TREEVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}

std::string SelectedTreeText(HWND tree) {
    char text[MAX_PATH] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    if (!item.hItem || !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return text;
}
} // namespace

bool WaitForBrowserSelection(HWND browser, const char* name, DWORD timeoutMs) {
    return Serve(timeoutMs, [&] {
        HWND tree = nullptr;
        ::EnumChildWindows(browser, &FindTree, reinterpret_cast<LPARAM>(&tree));
        return tree && ::lstrcmpiA(SelectedTreeText(tree).c_str(), name) == 0;
    });
}

void Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

SYSTEMTIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    return time;
}

std::string TextOf(HWND hwnd) {
    char text[1024] = "";
    ::GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

MessageBoxCloser::MessageBoxCloser()
    : m_watcher(
          [](HWND box) {
              // A message box: its text is the static with the id 0xFFFF.
              return ::GetDlgItem(box, 0xFFFF) != nullptr;
          },
          [this](HWND box) {
              m_boxes.push_back({TextOf(box), TextOf(::GetDlgItem(box, 0xFFFF)), ::GetWindow(box, GW_OWNER)});
              ::PostMessageA(box, WM_COMMAND, IDOK, 0);
          }) {}

ScopedClassesValue::ScopedClassesValue(const char* subkey, const char* value) : m_subkey(subkey) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        char old[MAX_PATH] = "";
        DWORD size = sizeof(old);
        DWORD type = 0;
        m_hadOld = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
                       ERROR_SUCCESS &&
                   type == REG_SZ;
        m_old = m_hadOld ? old : "";
        ::RegCloseKey(key);
    }
    WriteDefault(HKEY_CLASSES_ROOT, subkey, value);
}

ScopedClassesValue::~ScopedClassesValue() {
    if (m_hadOld) {
        WriteDefault(HKEY_CLASSES_ROOT, m_subkey.c_str(), m_old.c_str());
        return;
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, m_subkey.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, nullptr);
        ::RegCloseKey(key);
    }
}

const char ScopedHtmClass::kClassName[] = "TarnvelTest.htmfile";

ScopedHtmClass::ScopedHtmClass(const char* command) : m_htm(".htm", kClassName) {
    ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kClassName);
    if (command)
        WriteDefault(HKEY_CLASSES_ROOT, (std::string(kClassName) + "\\shell\\open\\command").c_str(),
                     command);
    else
        WriteDefault(HKEY_CLASSES_ROOT, kClassName, "Tarnvel test page");
}

ScopedHtmClass::~ScopedHtmClass() {
    ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kClassName);
}

std::string MissingPage() {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "tarnvel-no-such-folder\\page.htm";
    return path;
}
