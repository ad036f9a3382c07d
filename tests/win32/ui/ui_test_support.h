// Helpers of the dialog tests: a host window for single controls, a watcher that deals with the
// system's own modal boxes while one of our calls runs, and a stand-in web-page class in HKCR.
#pragma once

#include "framework/wnd.h"
#include "support/scope_undo.h"
#include "win32/modal_runner.h"

#include <functional>
#include <string>
#include <vector>

// A hidden top-level window (a shown one takes wine two seconds to destroy without a window
// manager), subclassed by a CWnd (so it reflects notifications to its controls; the CWnd takes
// it down with it), with a font for its statics.
class HostWindow {
public:
    HostWindow();

    // A visible child static; `font` false leaves it with the system font.
    HWND AddStatic(const char* text, DWORD style, const RECT& rect, int id, bool font = true);
    HWND hwnd() const { return m_wnd.m_hWnd; }
    CWnd& wnd() { return m_wnd; }
    HFONT font() const { return m_font; }

private:
    CWnd m_wnd;
    HFONT m_font;
};

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND hwnd);

// While the object lives, a timer looks every 50 ms for a visible dialog-class window of this
// thread (such as a message box or the folder browser) that `match` accepts and hands it to `act`
// once per window. The timer runs inside any modal loop of the thread.
class DialogWatcher {
public:
    using Match = std::function<bool(HWND)>;
    using Act = std::function<void(HWND)>;
    DialogWatcher(Match match, Act act);

    int seen() const { return m_seen; }

private:
    void Tick();
    Match m_match;
    Act m_act;
    HWND m_last = nullptr;
    int m_seen = 0;
    bool m_busy = false;
    LoopTimer m_timer;
};

// Lets the thread's messages run until the folder browser's tree shows `name` as its selected
// item (the browser fills and selects in steps); false if it did not within `timeoutMs`.
bool WaitForBrowserSelection(HWND browser, const char* name, DWORD timeoutMs = 10000);

// A message box seen and closed with OK by a MessageBoxCloser.
struct SeenMessageBox {
    std::string caption;
    std::string text;
    HWND owner;
};

// Closes every message box that comes up while the object lives, keeping its caption and text.
class MessageBoxCloser {
public:
    MessageBoxCloser();
    const std::vector<SeenMessageBox>& boxes() const { return m_boxes; }

private:
    std::vector<SeenMessageBox> m_boxes;
    DialogWatcher m_watcher;
};

// The window's text.
std::string TextOf(HWND hwnd);

// Posts a click of button `id` of `dialog` (a command, as the button sends it).
void Press(HWND dialog, int id);

// A time of day in UTC, as a file's last-write time is kept.
SYSTEMTIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute);

// The default value of HKEY_CLASSES_ROOT\`subkey` is `value` for the life of the object, and then
// what it was (or none). The key is the whole prefix's: only the tests of the entry that runs alone
// (tests/CMakeLists.txt) may use it.
struct ScopedClassesValue : ScopedUndo {
    ScopedClassesValue(const char* subkey, const char* value);
};

// Makes ".htm" documents belong to a test class whose open command is `command` for the life of
// the object; `command` null registers the class without a command. The previous ".htm" class
// comes back afterwards.
class ScopedHtmClass : ScopedClassesValue {
public:
    explicit ScopedHtmClass(const char* command);
    static const char kClassName[];

private:
    ScopedUndo m_class;
};

// A path on this machine that does not exist, so that the shell fails to open it.
std::string MissingPage();
