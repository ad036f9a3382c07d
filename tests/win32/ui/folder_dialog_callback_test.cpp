// The folder picker's side of the browser's callback: which handler each message reaches, what
// comes back, and what the default handlers ask of the browser. A recording window stands in
// for the browser, answering as the real one does. The browser is the running system's: the wide
// one on NT-based Windows.
#include "framework/file_names.h"
#include "ui/folder_dialog.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
// The messages of the running system's browser.
const bool kWide = files::WideNames();
const UINT kSetSelection = kWide ? BFFM_SETSELECTIONW : BFFM_SETSELECTIONA;
const UINT kSetStatusText = kWide ? BFFM_SETSTATUSTEXTW : BFFM_SETSTATUSTEXTA;
const UINT kValidateFailed = kWide ? BFFM_VALIDATEFAILEDW : BFFM_VALIDATEFAILEDA;
const UINT kOtherValidateFailed = kWide ? BFFM_VALIDATEFAILEDA : BFFM_VALIDATEFAILEDW;

struct BrowserMessage {
    UINT message;
    WPARAM wParam;
    std::string text;
};

// The stand-in browser: records the selection and status requests. Like the real browser it
// reports a new selection through the callback before the request returns.
class FakeBrowser {
public:
    explicit FakeBrowser(CFolderDialog* picker) : m_picker(picker) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &FakeBrowser::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "TarnvelFakeBrowser";
        ::RegisterClassA(&wc);
        m_hwnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~FakeBrowser() { ::DestroyWindow(m_hwnd); }

    int Call(UINT message, LPARAM lParam) {
        return CFolderDialog::BrowseCallbackProc(m_hwnd, message, lParam, reinterpret_cast<LPARAM>(m_picker));
    }

    HWND m_hwnd;
    std::vector<BrowserMessage> m_messages;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<FakeBrowser*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && (message == kSetSelection || message == kSetStatusText)) {
            self->m_messages.push_back({message, wParam,
                                        kWide ? Utf8(reinterpret_cast<const wchar_t*>(lParam))
                                              : reinterpret_cast<const char*>(lParam)});
            if (message == kSetSelection)
                self->Call(BFFM_SELCHANGED, 0);
            return 0;
        }
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
    CFolderDialog* m_picker;
};

// Records which handler ran, with what, and whether the browser window was known meanwhile.
class RecordingPicker : public CFolderDialog {
public:
    RecordingPicker() : CFolderDialog(L"t", nullptr, nullptr, 0) {}
    std::vector<std::string> calls;
    HWND windowDuringCall = nullptr;
    int validateResult = 7;

protected:
    void OnInitialized() override { Record("initialized"); }
    void OnSelChanged(LPCITEMIDLIST pidl) override {
        Record("selchanged " + std::to_string(reinterpret_cast<UINT_PTR>(pidl)));
    }
    int OnValidateFailed(const wchar_t* name) override {
        Record("validatefailed " + Utf8(name));
        return validateResult;
    }
    void OnIUnknown(IUnknown* unknown) override {
        Record("iunknown " + std::to_string(reinterpret_cast<UINT_PTR>(unknown)));
    }

private:
    void Record(const std::string& call) {
        calls.push_back(call);
        windowDuringCall = m_hBrowseWnd;
    }
};

// Selects from its initialisation handler and then sets the status text, as a derived picker may.
class SelectThenStatusPicker : public CFolderDialog {
public:
    SelectThenStatusPicker() : CFolderDialog(L"t", nullptr, nullptr, 0) {}

protected:
    void OnInitialized() override {
        SetSelection(L"C:\\one");
        SetStatusText(L"two");
    }
};
} // namespace

TEST(FolderDialogCallback, EachMessageReachesItsHandlerAndOnlyValidationAnswers) {
    RecordingPicker picker;
    FakeBrowser browser(&picker);
    const wchar_t wideName[] = L"not a folder";
    const char narrowName[] = "not a folder";
    const auto name = reinterpret_cast<LPARAM>(kWide ? static_cast<const void*>(wideName) : narrowName);
    const auto otherName = reinterpret_cast<LPARAM>(kWide ? static_cast<const void*>(narrowName) : wideName);

    EXPECT_EQ(browser.Call(BFFM_INITIALIZED, 0), 0);
    EXPECT_EQ(browser.Call(BFFM_SELCHANGED, 0x1234), 0);
    EXPECT_EQ(browser.Call(kValidateFailed, name), 7);
    EXPECT_EQ(browser.Call(kOtherValidateFailed, otherName), 0) << "a form this browser never sends";
    EXPECT_EQ(browser.Call(BFFM_IUNKNOWN, 0x5678), 0);
    EXPECT_EQ(browser.Call(99, 1), 0);

    const std::vector<std::string> expected = {"initialized", "selchanged 4660",
                                               "validatefailed not a folder", "iunknown 22136"};
    EXPECT_EQ(picker.calls, expected);
    EXPECT_EQ(picker.windowDuringCall, browser.m_hwnd);
    EXPECT_EQ(picker.m_hBrowseWnd, nullptr);
}

TEST(FolderDialogCallback, DefaultValidationBeepsAndKeepsTheBrowserOpen) {
    CFolderDialog picker(L"t", nullptr, nullptr, 0);
    FakeBrowser browser(&picker);
    const wchar_t wideName[] = L"???";
    const char narrowName[] = "???";
    EXPECT_EQ(browser.Call(kValidateFailed,
                           reinterpret_cast<LPARAM>(kWide ? static_cast<const void*>(wideName) : narrowName)),
              1);
    EXPECT_EQ(browser.Call(BFFM_IUNKNOWN, 0), 0);
    EXPECT_TRUE(browser.m_messages.empty());
}

// The initial folder is selected, as a path, only when there is one, and one of the full path
// length is kept whole.
TEST(FolderDialogCallback, InitialFolderIsSelectedWholeOnlyWhenThereIsOne) {
    const std::string full = "C:\\" + std::string(MAX_PATH - 1 - 3, 'f');
    ASSERT_EQ(full.size(), 259u);
    for (const char* initial : {static_cast<const char*>(nullptr), "", "C:\\fax\\out", full.c_str()}) {
        CFolderDialog picker(L"t", initial ? Wide(initial).c_str() : nullptr, nullptr, 0);
        FakeBrowser browser(&picker);
        browser.Call(BFFM_INITIALIZED, 0);
        if (!initial || !*initial) {
            EXPECT_TRUE(browser.m_messages.empty());
            continue;
        }
        ASSERT_EQ(browser.m_messages.size(), 1u);
        EXPECT_EQ(browser.m_messages[0].message, kSetSelection);
        EXPECT_EQ(browser.m_messages[0].wParam, static_cast<WPARAM>(TRUE)); // a path, not an identifier list
        EXPECT_EQ(browser.m_messages[0].text, initial);
    }

    // A caller that passes more than a path can hold must not overrun the picker.
    const std::string longer = full + std::string(100, 'g');
    CFolderDialog longPicker(L"t", Wide(longer).c_str(), nullptr, 0);
    EXPECT_EQ(Utf8(longPicker.m_szInitialFolder), full);
}

TEST(FolderDialogCallback, StatusTextFollowsTheSelectionOnlyWhenAskedFor) {
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    LPITEMIDLIST pidl = nullptr;
    ASSERT_EQ(::SHParseDisplayName(std::wstring(windows, windows + std::strlen(windows)).c_str(), nullptr,
                                   &pidl, 0, nullptr),
              S_OK);

    CFolderDialog plain(L"t", nullptr, nullptr, BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE);
    FakeBrowser plainBrowser(&plain);
    plainBrowser.Call(BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl));
    EXPECT_TRUE(plainBrowser.m_messages.empty());

    CFolderDialog status(L"t", nullptr, nullptr, BIF_STATUSTEXT);
    FakeBrowser statusBrowser(&status);
    statusBrowser.Call(BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl));
    ASSERT_EQ(statusBrowser.m_messages.size(), 1u);
    EXPECT_EQ(statusBrowser.m_messages[0].message, kSetStatusText);
    EXPECT_EQ(statusBrowser.m_messages[0].wParam, 0u);
    EXPECT_STRCASEEQ(statusBrowser.m_messages[0].text.c_str(), windows);
    ::CoTaskMemFree(pidl);
}

TEST(FolderDialogCallback, HandlerStillReachesTheBrowserAfterItsSelectionCalledBack) {
    SelectThenStatusPicker picker;
    FakeBrowser browser(&picker);
    browser.Call(BFFM_INITIALIZED, 0);
    ASSERT_EQ(browser.m_messages.size(), 2u);
    EXPECT_EQ(browser.m_messages[0].text, "C:\\one");
    EXPECT_EQ(browser.m_messages[1].message, kSetStatusText);
    EXPECT_EQ(browser.m_messages[1].text, "two");
    EXPECT_EQ(picker.m_hBrowseWnd, nullptr);
}
