#include "win32/framework/test_dialog.h"

#include <commctrl.h>

std::vector<std::string> g_seen;

namespace {
std::string Describe(const char* who, const MSG* msg) {
    return std::string(who) + (msg->message == WM_MOUSEMOVE ? ":move"
                               : msg->message == WM_KEYDOWN ? ":key"
                                                            : ":other");
}
} // namespace

const MessageMap* ProbeButton::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::ReflectCommand<&ProbeButton::OnReflectedClick>(BN_CLICKED)};
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

const MessageMap* ProbeList::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::ReflectNotify<&ProbeList::OnReflectedInsert>(LVN_INSERTITEM)};
    static const MessageMap map(CListCtrl::GetMessageMap(), entries);
    return &map;
}

BOOL ProbeList::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_KEYDOWN)
        g_seen.push_back(Describe("list", msg));
    return consumeEscape && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE;
}

const MessageMap* ProbeEdit::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::ReflectCtlColor<&ProbeEdit::CtlColor>(),
        msgmap::Message<&ProbeEdit::OnSetText>(WM_SETTEXT),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

LRESULT ProbeEdit::OnSetText(WPARAM, LPARAM lParam) {
    lastText = reinterpret_cast<const char*>(lParam);
    return Default();
}

const MessageMap* TestDialog::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::Command<&TestDialog::OnSelectAll>(IDC_SELECT_ALL),
        msgmap::Command<&TestDialog::OnGo>(IDC_GO),
        msgmap::Notify<&TestDialog::OnListInsert>(IDC_LIST_FILES, LVN_INSERTITEM),
        msgmap::Notify<&TestDialog::OnTreeSelection>(IDC_TREE_FOLDERS, TVN_SELCHANGEDA),
        msgmap::Notify<&TestDialog::OnTreeSelection>(IDC_TREE_FOLDERS, TVN_SELCHANGEDW),
        msgmap::Command<&TestDialog::OnCancelCommand>(IDCANCEL),
        msgmap::Message<&TestDialog::OnFirst>(WM_TEST_TWICE),
        msgmap::Message<&TestDialog::OnSecond>(WM_TEST_TWICE),
        msgmap::Message<&TestDialog::OnCheckpoint>(WM_TEST_CHECKPOINT),
    };
    static const MessageMap map(CDialog::GetMessageMap(), entries);
    return &map;
}

void TestDialog::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_SELECT_ALL, m_button);
    DDX_Control(dx, IDC_LIST_FILES, m_list);
    DDX_Control(dx, IDC_OUTPUT_FOLDER, m_edit);
    DDX_Text(dx, IDC_OUTPUT_FOLDER, m_text);
    if (m_exchangeMissingControl)
        DDX_Text(dx, 4242, m_text);
}

BOOL TestDialog::PreTranslateMessage(MSG* msg) {
    // Only the list's: the pointer of the shared display may move over the dialog itself.
    if ((msg->message == WM_MOUSEMOVE || msg->message == WM_KEYDOWN) && msg->hwnd == m_list.m_hWnd)
        g_seen.push_back(Describe("dialog", msg));
    return FALSE;
}

void TestDialog::OnCancelCommand() {
    if (m_blockCancel)
        ++m_blockedCancels;
    else
        CDialog::OnCancel();
}

LRESULT TestDialog::OnCheckpoint(WPARAM, LPARAM) {
    if (m_checkpoint)
        m_checkpoint();
    return 0;
}
