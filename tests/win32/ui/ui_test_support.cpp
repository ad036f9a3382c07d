#include "ui_test_support.h"

#include "folder_tree_host.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstring>
#include <vector>

namespace {
// The default value of HKEY_CLASSES_ROOT\`subkey`, creating the key.
void WriteDefault(const char* subkey, const char* value) {
    ::RegSetValueA(HKEY_CLASSES_ROOT, subkey, REG_SZ, value, static_cast<DWORD>(std::strlen(value)));
}

// Whether HKEY_CLASSES_ROOT\`subkey` has a default text value, and the value.
std::pair<bool, std::string> ReadDefault(const char* subkey) {
    HKEY key = nullptr;
    char value[MAX_PATH] = "";
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {false, ""};
    const bool found = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                          &size) == ERROR_SUCCESS &&
                       type == REG_SZ;
    ::RegCloseKey(key);
    return {found, found ? value : ""};
}
} // namespace

HostWindow::HostWindow() : m_font(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))) {
    HWND hwnd = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 50, 50, 480, 320, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    m_wnd.SubclassWindow(hwnd);
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
    const HWND found = FindWindowOf("#32770", [&](HWND w) { return ::IsWindowVisible(w) && m_match(w); });
    if (!found || found == m_last)
        return;
    m_last = found;
    ++m_seen;
    // The action may run a modal loop of its own; the timer keeps firing in it.
    m_busy = true;
    m_act(found);
    m_busy = false;
}

bool WaitForBrowserSelection(HWND browser, const char* name, DWORD timeoutMs) {
    return Serve(timeoutMs, [&] {
        const HWND tree = FindWindowOf(WC_TREEVIEWA, nullptr, browser);
        const HTREEITEM selected = tree ? TreeView_GetSelection(tree) : nullptr;
        return selected && ::lstrcmpiA(ItemText(tree, selected).c_str(), name) == 0;
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

ScopedClassesValue::ScopedClassesValue(const char* subkey, const char* value)
    : ScopedUndo([subkey = std::string(subkey), old = ReadDefault(subkey)] {
          if (old.first) {
              WriteDefault(subkey.c_str(), old.second.c_str());
          } else if (HKEY key = nullptr; ::RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_SET_VALUE,
                                                         &key) == ERROR_SUCCESS) {
              ::RegDeleteValueA(key, nullptr);
              ::RegCloseKey(key);
          }
      }) {
    WriteDefault(subkey, value);
}

const char ScopedHtmClass::kClassName[] = "TarnvelTest.htmfile";

ScopedHtmClass::ScopedHtmClass(const char* command)
    : ScopedClassesValue(".htm", kClassName), m_class([] { ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kClassName); }) {
    ::SHDeleteKeyA(HKEY_CLASSES_ROOT, kClassName);
    if (command)
        WriteDefault((std::string(kClassName) + "\\shell\\open\\command").c_str(), command);
    else
        WriteDefault(kClassName, "Tarnvel test page");
}

std::string MissingPage() {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "tarnvel-no-such-folder\\page.htm";
}
