// The About box: its template, the home-page link in it, closing by a click anywhere but the
// link, and opening it from the main window's About button and system menu.
#include "win32/modal_runner.h"
#include "framework/win_app.h"
#include "link_label_test_support.h"
#include "rect_compare.h"
#include "ui/about_dlg.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {
// A real click at the centre of `control`, through the system's input queue.
void ClickOn(HWND control) {
    const RECT rect = RectInParent(control);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(::GetParent(control), &point);
    ::SetCursorPos(point.x, point.y);
    INPUT input[3] = {};
    for (INPUT& i : input)
        i.type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE; // a move first, so hover tracking starts
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(3, input, sizeof(INPUT));
}

// Puts the mouse pointer back in the screen's corner, away from where the next test's windows
// appear, once a test that moved it ends.
struct ParkedPointer {
    ~ParkedPointer() {
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
};

// Runs `body` in the open About box, then, unless the box has already ended, lets the loop run
// 1.5 s longer, calls `last` and cancels the box.
INT_PTR RunAbout(CAboutDlg& about, const std::function<void(CDialog&)>& body,
                 const std::function<void(CDialog&)>& last = nullptr) {
    std::unique_ptr<LoopTimer> cancel;
    return RunModal(about, [&](CDialog& d) {
        body(d);
        cancel = std::make_unique<LoopTimer>(1500, [&] {
            cancel->Stop();
            if (last)
                last(d);
            ::PostMessageA(d.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        });
    });
}
} // namespace

TEST(AboutBox, TemplateAndLink) {
    CAboutDlg about;
    const INT_PTR result = RunModal(about, [&](CDialog& d) {
        EXPECT_EQ(TextOf(d.m_hWnd), "About Tarnvel");
        RECT size{0, 0, 225, 108}, client;
        ::MapDialogRect(d.m_hWnd, &size);
        d.GetClientRect(&client);
        EXPECT_EQ(client, size);
        const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT_EQ(d.GetStyle() & frame, frame);
        EXPECT_EQ(::GetWindowLongA(d.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

        HWND version = ::FindWindowExA(d.m_hWnd, nullptr, "Static", "Tarnvel Version 1.0");
        ASSERT_NE(version, nullptr);
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(version, GWL_STYLE)), 0x50020080u);
        HWND icon = ::GetWindow(d.m_hWnd, GW_CHILD);
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(icon, GWL_STYLE)) & 0xFFFFFF1Fu, 0x50000003u);
        EXPECT_NE(::SendMessageA(icon, STM_GETICON, 0, 0), 0);

        // The link asks for its clicks (the template's static does not), tells its address, and
        // is fitted to "Homepage" in its underlined font, from its place in the template.
        HWND link = d.GetDlgItem(IDC_HOMEPAGE);
        EXPECT_EQ(TextOf(link), "Homepage");
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(link, GWL_STYLE)), 0x50020000u | SS_NOTIFY);
        EXPECT_EQ(TipText(link), kHomePageAddress);
        RECT place{39, 46, 39 + 48, 46 + 8};
        ::MapDialogRect(d.m_hWnd, &place);
        const RECT fitted = RectInParent(link);
        EXPECT_EQ(fitted.left, place.left);
        EXPECT_EQ(fitted.top, place.top);
        const auto font = reinterpret_cast<HFONT>(::SendMessageA(link, WM_GETFONT, 0, 0));
        EXPECT_EQ(fitted.right - fitted.left, TextExtent(font, "Homepage").cx);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(AboutBox, ClickOutsideTheLinkClosesItAsOk) {
    ParkedPointer parked;
    CAboutDlg about;
    const INT_PTR result = RunAbout(about, [](CDialog& d) {
        ClickOn(::FindWindowExA(d.m_hWnd, nullptr, "Static", "Tarnvel Version 1.0"));
    });
    EXPECT_EQ(result, IDOK);
}

TEST(AboutBox, ClickOnTheLinkIsTakenByTheLinkAndTheBoxStaysOpen) {
    ParkedPointer parked;
    // The registered web browser and the command for web pages are missing programs here: the
    // click fails harmlessly, and the box explains that.
    const char missingBrowser[] = "C:\\tarnvel-no-such-browser\\browser.exe \"%1\"";
    ScopedClassesValue web("http\\shell\\open\\command", missingBrowser);
    ScopedHtmClass htm(missingBrowser);
    // The program's main window, which owns the About box.
    CWinApp app;
    HostWindow mainWindow;
    app.m_pMainWnd = &mainWindow.wnd();
    CAboutDlg about;
    HWND aboutWindow = nullptr;
    COLORREF linkColour = 0;
    MessageBoxCloser closer;
    const INT_PTR result = RunAbout(
        about,
        [&](CDialog& d) {
            aboutWindow = d.m_hWnd;
            ClickOn(d.GetDlgItem(IDC_HOMEPAGE));
        },
        [&](CDialog& d) { linkColour = AskColours(d.GetDlgItem(IDC_HOMEPAGE)).text; });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(closer.boxes().size(), 1u);
    EXPECT_EQ(closer.boxes()[0].text, "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(closer.boxes()[0].owner, aboutWindow); // the About box waits for it, not just the main window
    // Neither visited nor left lit: the message box took the capture from the link.
    EXPECT_EQ(linkColour, kUnvisitedLinkColour);
    app.m_pMainWnd = nullptr;
}

// Both ways open the box, owned by the main window, which waits for it disabled.
TEST(AboutBox, OpensFromTheAboutButtonAndTheSystemMenuItem) {
    CWinApp app;
    CConverterDlg dlg;
    app.m_pMainWnd = &dlg;
    RunModal(dlg, [&](CDialog& d) {
        char item[64] = "";
        ::GetMenuStringA(d.GetSystemMenu(FALSE), IDM_ABOUTBOX, item, sizeof(item), MF_BYCOMMAND);
        EXPECT_STREQ(item, "&About Tarnvel...");
        for (const bool menu : {false, true}) {
            SCOPED_TRACE(menu ? "system menu" : "About button");
            bool ownerDisabled = false;
            DialogWatcher watcher([](HWND w) { return TextOf(w) == "About Tarnvel"; },
                                  [&](HWND box) {
                                      ownerDisabled = !::IsWindowEnabled(d.m_hWnd) &&
                                                      ::GetWindow(box, GW_OWNER) == d.m_hWnd;
                                      ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                                  });
            if (menu)
                d.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            else
                d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED),
                              reinterpret_cast<LPARAM>(d.GetDlgItem(IDC_ABOUT)));
            EXPECT_EQ(watcher.seen(), 1);
            EXPECT_TRUE(ownerDisabled);
        }
        d.EndDialog(IDCANCEL);
    });
    app.m_pMainWnd = nullptr;
}
