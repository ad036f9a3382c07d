// The main window: the folder tree, the file list, the output folder and the batch controls.
#pragma once

#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/list_ctrl.h"
#include "framework/progress_ctrl.h"
#include "tiffcopy/tiffcopy.h"
#include "ui/folder_tree_ctrl.h"

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
    // Counts the refills of the list; a batch writes its results only into the rows it started on.
    unsigned m_nListGeneration = 0;
    BOOL m_bWorkerRunning = 0;
    UINT m_nWorkerThreadId = 0;
    HANDLE m_hWorkerThread = nullptr;
    CFolderTreeCtrl m_treeFolders;
    CListCtrl m_listFiles;
    CProgressCtrl m_progress;
    HBRUSH m_hbrBackground = nullptr; // created at initialisation, deleted with the window
    CopyOptions m_copyOptions{};

    // Stores `folder` as the source folder and collects its AWD files' names and details; 0.
    int ScanFolder(CString folder);
    // 1 when the name's last three bytes are "awd" in any case (multibyte rules), else 0.
    static int IsAwdFileName(const char* name);

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
    // Refills the list and the output folder from the folder path in wParam; returns 1.
    LRESULT OnFolderSelected(WPARAM wParam, LPARAM lParam);
    // Emptying the list: the rows carry no data, so no per-row deletion notice is wanted.
    void OnListDeleteAllItems(NMHDR* header, LRESULT* result);
    BOOL OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);
};
