// The main window: the folder tree, the file list, the output folder and the batch controls.
#pragma once

#include "convert/batch_job.h"
#include "convert/img_edit.h"
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/gdi_object.h"
#include "framework/list_ctrl.h"
#include "framework/progress_ctrl.h"
#include "tiffcopy/tiffcopy.h"
#include "ui/folder_tree_ctrl.h"

#include <memory>

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
    CImgEdit m_imgEdit;
    CFolderTreeCtrl m_treeFolders;
    CListCtrl m_listFiles;
    CProgressCtrl m_progress;
    CBrush m_hbrBackground; // created at initialisation, deleted with the window
    CopyOptions m_copyOptions{};

    // Renders `source` into TempTiffPath and copies it to `output`: 0 when converted. Worker
    // thread only, one call at a time.
    int ConvertAwdFile(const char* source, const char* output);
    // Starts a batch over the ticked rows (button 1009).
    void OnGo();
    // Asks a running batch to stop after its current file and waits for it (serving its
    // requests meanwhile); never terminates it. Returns 1.
    int StopWorker();
    static unsigned __stdcall WorkerThreadProc(void* param);

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
    void OnOK() override;
    void OnCancel() override;
    void SetBusyState();
    void SetIdleState();
    BOOL OnSetCursor(HWND hWnd, UINT hitTest, UINT mouseMessage);
    LRESULT OnBatchBegin(WPARAM, LPARAM);
    LRESULT OnBatchRowDone(WPARAM index, LPARAM text);
    LRESULT OnBatchSteps(WPARAM count, LPARAM);
    void StepProgress(int count);
    LRESULT OnBatchRender(WPARAM, LPARAM source);
    LRESULT OnBatchEnd(WPARAM converted, LPARAM);
    BOOL OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);

private:
    std::unique_ptr<BatchJob> m_pBatch; // the running batch's inputs; freed when it has ended
    int m_nPendingClose = 0;            // IDOK or IDCANCEL asked for while a batch ran
};
