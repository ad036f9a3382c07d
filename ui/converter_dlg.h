// The main window: the folder tree, the file list, the output folder and the batch controls.
#pragma once

#include "convert/batch_job.h"
#include "convert/img_edit.h"
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/list_ctrl.h"
#include "framework/progress_ctrl.h"
#include "framework/tree_ctrl.h"
#include "tiffcopy/tiffcopy.h"

#include <memory>

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
    CImgEdit m_imgEdit;
    unsigned m_nListGeneration = 0; // counts the refills of the list

    // Renders `source` into TempTiffPath and copies it to `output`: 0 when converted. Worker
    // thread only, one call at a time.
    int ConvertAwdFile(const char* source, const char* output);
    // Starts a batch over the ticked rows (button 1009).
    void OnGo();
    // Asks a running batch to stop after its current file and waits for it (serving its
    // requests meanwhile); never terminates it. Returns 1.
    int StopWorker();
    static unsigned __stdcall WorkerThreadProc(void* param);

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    int InitControls();

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSelectAll();
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
