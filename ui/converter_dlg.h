// The main window: the folder tree, the file list, the output folder and the batch controls.
#pragma once

#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/list_ctrl.h"
#include "framework/progress_ctrl.h"
#include "framework/tree_ctrl.h"
#include "tiffcopy/tiffcopy.h"

// Sent by the folder tree with the selected folder's path in wParam (valid during the call only).
constexpr UINT WM_FOLDER_SELECTED = WM_APP + 3;

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(CWnd* parent = nullptr);
    ~CConverterDlg() override;

    BOOL DestroyWindow() override;

    CString m_strOutputFolder; // exchanged with the output-folder field
    HICON m_hIcon;
    CStringArray m_arrFileNames;
    CStringArray m_arrFileDetails; // "size,date time" per name
    CString m_strSourceFolder;
    BOOL m_bWorkerRunning = 0;
    UINT m_nWorkerThreadId = 0;
    HANDLE m_hWorkerThread = nullptr;
    CTreeCtrl m_treeFolders;
    CListCtrl m_listFiles;
    CProgressCtrl m_progress;
    HBRUSH m_hbrBackground = nullptr; // created at initialisation, deleted with the window
    CopyOptions m_copyOptions{};

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    int InitControls();

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSaveDir();
    void OnSelectAll();
    void OnAbout();
    BOOL OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);
};
