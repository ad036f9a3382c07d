// A dialog on the main window's template whose controls are probes of the framework.
#pragma once

#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/list_ctrl.h"
#include "ui/resource.h"

#include <functional>
#include <string>
#include <vector>

// What the window objects saw, in order.
extern std::vector<std::string> g_seen;

constexpr UINT WM_TEST_TWICE = WM_APP + 1;
constexpr UINT WM_TEST_CHECKPOINT = WM_APP + 2;

// The Select All check box: takes its own click notification.
class ProbeButton : public CWnd {
public:
    int clicks = 0;

protected:
    const MessageMap* GetMessageMap() const override;
    void OnReflectedClick() { ++clicks; }
};

// The file list: takes its own insert notification and looks at the modal loop's messages.
class ProbeList : public CListCtrl {
public:
    int inserts = 0;
    bool consumeEscape = false;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    const MessageMap* GetMessageMap() const override;
    void OnReflectedInsert(NMHDR*, LRESULT* result) {
        ++inserts;
        *result = 0;
    }
};

// The output field: colours itself and watches its text being set.
class ProbeEdit : public CWnd {
public:
    HBRUSH brush = nullptr;
    std::string lastText;

protected:
    const MessageMap* GetMessageMap() const override;
    HBRUSH CtlColor(HDC, UINT) { return brush; }
    LRESULT OnSetText(WPARAM, LPARAM lParam);
};

class TestDialog : public CDialog {
public:
    explicit TestDialog(CWnd* parent = nullptr) : CDialog(IDD_TARNVEL_DIALOG, parent) {}

    ProbeButton m_button;
    ProbeList m_list;
    ProbeEdit m_edit;
    CStringW m_text;
    bool m_exchangeMissingControl = false;
    bool m_blockCancel = false;
    int m_parentClicks = 0;
    int m_goClicks = 0;
    int m_parentInserts = 0;
    int m_treeSelections = 0;
    int m_blockedCancels = 0;
    std::function<void()> m_checkpoint;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnSelectAll() { ++m_parentClicks; }
    void OnGo() { ++m_goClicks; }
    void OnListInsert(NMHDR*, LRESULT*) { ++m_parentInserts; }
    void OnTreeSelection(NMHDR*, LRESULT*) { ++m_treeSelections; }
    void OnCancelCommand();
    LRESULT OnFirst(WPARAM, LPARAM) { return 1; }
    LRESULT OnSecond(WPARAM, LPARAM) { return 2; }
    LRESULT OnCheckpoint(WPARAM, LPARAM);
};
