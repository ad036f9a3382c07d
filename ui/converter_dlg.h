// The main window: the folder tree, the file list, the output folder and the batch controls.
#pragma once

#include "convert/batch_runner.h"
#include "convert/imaging_thread.h"
#include "convert/window_batch_report.h"
#include "framework/cstring.h"
#include "framework/cstring_w.h"
#include "framework/dialog.h"
#include "framework/gdi_object.h"
#include "framework/list_ctrl.h"
#include "framework/progress_ctrl.h"
#include "framework/redraw_suspension.h"
#include "framework/tooltip_ctrl.h"
#include "tiffcopy/tiffcopy.h"
#include "ui/folder_listing.h"
#include "ui/folder_tree_ctrl.h"

#include <memory>
#include <optional>
#include <vector>

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(CWnd* parent = nullptr);
    ~CConverterDlg() override;

    BOOL DestroyWindow() override;

    // Folders as the file system names them.
    CStringW m_strOutputFolder; // exchanged with the output-folder field
    HICON m_hIcon;
    CStringW m_strSourceFolder;
    // Counts the refills of the list; a batch writes its results only into the rows it started on.
    unsigned m_nListGeneration = 0;
    BOOL m_bWorkerRunning = 0;
    UINT m_nWorkerThreadId = 0;
    HANDLE m_hWorkerThread = nullptr; // the running batch's thread; the batch owns the handle
    // The hidden imaging control, on a thread of its own; shared with the batch's renderer.
    std::shared_ptr<ImagingThread> m_pImaging;
    CFolderTreeCtrl m_treeFolders;
    CListCtrl m_listFiles;
    CProgressCtrl m_progress;
    CToolTipCtrl m_tipResult; // tells why a row failed, over its result
    CBrush m_hbrBackground;   // created at initialisation, deleted with the window
    CopyOptions m_copyOptions{};

    // Renders `source` into TempTiffPath and copies it to `output` with the running batch's
    // renderer: 0 when converted. Worker thread only, one call at a time.
    int ConvertAwdFile(const wchar_t* source, const wchar_t* output);
    // Starts a batch over the ticked rows (button 1009).
    void OnGo();
    // Asks a running batch to stop after its current file and waits for it (serving its
    // reports meanwhile); never terminates it. Returns 1.
    int StopWorker();
    static unsigned __stdcall WorkerThreadProc(void* param);
    // Offers the list's mouse messages to the tooltip that tells why a row failed.
    BOOL PreTranslateMessage(MSG* msg) override;
    int UnreadableFolders() const { return m_nUnreadableFolders; }

protected:
    const MessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    int InitControls();
    // Tells the user that the list has no check boxes, and what brings them.
    LRESULT OnNoCheckBoxes(WPARAM, LPARAM);

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSaveDir();
    void OnSelectAll();
    void OnAbout();
    // Empties the list, sets both folders to the path in wParam (wide) and starts listing it;
    // returns 1.
    LRESULT OnFolderSelected(WPARAM wParam, LPARAM lParam);
    // Subfolders ticked or unticked (box 1014): the selected folder is listed again.
    void OnSubfolders();
    // Empties the list and starts listing the source folder (with Subfolders ticked, and every
    // folder below it).
    void ListSourceFolder();
    // Appends the rows that have arrived from the listing.
    LRESULT OnFolderListed(WPARAM, LPARAM);
    void AppendRows(const std::vector<ListedFile>& files);
    // The rows held back while a listing runs are shown; true when `id` is the timer for that.
    bool OnShowRowsTimer(UINT_PTR id);
    void ShowListedRows();
    // The cursor over the window again, after a listing began or ended.
    void RefreshCursor();
    // Emptying the list: the rows carry no data, so no per-row deletion notice is wanted.
    void OnListDeleteAllItems(NMHDR* header, LRESULT* result);
    void OnOK() override;
    void OnCancel() override;
    void SetBusyState();
    // Go is the one control a batch disables.
    void EnableGo(BOOL enable);
    void SetIdleState();
    BOOL OnSetCursor(HWND hWnd, UINT hitTest, UINT mouseMessage);
    LRESULT OnBatchBegin(WPARAM, LPARAM);
    LRESULT OnBatchRowDone(WPARAM, LPARAM result);
    LRESULT OnBatchSteps(WPARAM count, LPARAM);
    void StepProgress(int count);
    LRESULT OnBatchEnd(WPARAM converted, LPARAM);
    void ReleaseBatch();
    // The results: the column in view when a batch starts, each row as its result lands, and the
    // reason of a "Fail" under the mouse.
    void CreateResultTip();
    void ScrollResultColumnIntoView();
    void ShowResultRow(int row);
    void FlushResultScroll();
    LRESULT OnTimer(WPARAM id, LPARAM);
    void SetResultReason(int row, const wchar_t* reason);
    void TrackResultTip(POINT point);
    bool ResultCellAt(POINT point, int& row, RECT& cell) const;
    BOOL OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);

private:
    std::unique_ptr<BatchRunner> m_pBatch;             // the running batch; freed when it has ended
    std::unique_ptr<WindowBatchReport> m_pBatchReport; // how m_pBatch reaches this window
    CFolderLister m_lister;                            // lists the selected folder off the window thread
    bool m_bListing = false;                           // rows of the selected folder are still to come
    int m_nUnreadableFolders = 0;                      // subfolders the last listing could not read
    bool m_bStopping = false;                          // StopWorker waits: the batch is freed there
    int m_nPendingClose = 0;                           // IDOK or IDCANCEL asked for while a batch ran
    std::vector<CStringW> m_arrResultReasons;          // why each row failed, by row; empty for the others
    int m_nTipRow = -1;                                // the row whose reason the tip holds
    int m_nScrollRow = -1;                             // the row to scroll into view when the timer comes

    // While rows keep arriving the list does not paint; it does now and then, and when all are in.
    std::optional<CRedrawSuspension> m_listQuiet;
};
