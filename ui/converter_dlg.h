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
#include "ui/taskbar_progress.h"

#include <memory>
#include <optional>
#include <vector>

class CConverterDlg : public CDialog {
public:
    explicit CConverterDlg(CWnd* parent = nullptr);
    ~CConverterDlg() override;

    BOOL DestroyWindow() override;

    // Folders as the file system names them.
    CStringW m_strStartFolder;  // the folder the command line names, selected as the window opens
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
    // At start-up, before the window thread initialises OLE: the imaging control's thread where
    // this Windows renders with the control (its apartment is then the process's first), else null.
    static std::shared_ptr<ImagingThread> StartImaging();
    CFolderTreeCtrl m_treeFolders;
    CListCtrl m_listFiles;
    CProgressCtrl m_progress;
    CToolTipCtrl m_tipResult; // tells why a row failed, or which output it kept, over its result
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
    // The shell's registered message for the taskbar button is known only at run time.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    int InitControls();
    // Before a batch, where this Windows renders with the control: a thread for it, or a new one
    // for a thread given up on (ImagingThread::Renew).
    void RenewImaging();
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
    // A folder named from outside the window is selected in the tree as a click would select it.
    void OpenFolder(const CStringW& path);
    // A folder dropped onto the window (or the tree or the list, whose drops come here).
    LRESULT OnDropFiles(WPARAM drop, LPARAM);
    // Says once, in the account line, that a path given to OpenFolder names no folder.
    LRESULT OnNotAFolder(WPARAM path, LPARAM);
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
    // Go while no batch runs, Stop while one does.
    void EnableGo(BOOL enable);
    // Ends the running batch after the file in hand; the window stays (button 1016).
    void OnStop();
    // The line under the list: the file in hand while the batch runs, its account at the end.
    void ShowBatchProgress();
    void ShowBatchAccount(const BatchSummary& summary);
    void SetIdleState();
    BOOL OnSetCursor(HWND hWnd, UINT hitTest, UINT mouseMessage);
    LRESULT OnBatchBegin(WPARAM, LPARAM);
    LRESULT OnBatchRowDone(WPARAM count, LPARAM results);
    LRESULT OnBatchSteps(WPARAM count, LPARAM);
    // The bar steps `count` more: soon, with the account line (ShowBatchSoon).
    void StepProgress(int count);
    void ShowBatchSoon();
    void ShowBatch();
    LRESULT OnBatchEnd(WPARAM converted, LPARAM summary);
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
    // The rows' own commands: a double-click opens an "OK" row's output, Ctrl+C copies the selected
    // rows as a table, Ctrl+A selects every row.
    void KeepRowOutput(int row, const wchar_t* output);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    // The list's double-click, seen on its way to the list (`point` in the list's client area).
    void OpenOutputAt(POINT point);
    void OpenRowOutput(int row);
    LRESULT OnOutputNotOpened(WPARAM code, LPARAM);
    void CopySelectedRows();
    BOOL OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlType);
    // The window grows (converter_dlg_layout.cpp): the tree and the list take the room, the bottom
    // row follows the bottom edge; the template's size is the smallest.
    LRESULT OnSize(WPARAM type, LPARAM size);
    LRESULT OnGetMinMaxInfo(WPARAM, LPARAM info);
    void PlaceControls(int width, int height);
    SIZE TemplateClientSize() const;

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
    std::vector<CStringW> m_arrRowOutputs;             // each row's output, by row; empty where none was made
    unsigned m_nBatchFiles = 0;                        // the ticked files of the running batch
    unsigned m_nBatchDone = 0;                         // those of them it has reported
    SIZE m_sizeLaidOut{};                              // the client size the controls stand for; 0 at start
    int m_nNameColumnFloor = 0;                        // the name column's width at the smallest width
    CTaskbarProgress m_taskbar;                        // the batch's progress on the taskbar button
    int m_nPendingSteps = 0;                           // steps of the bar not shown yet
    DWORD m_nBatchShownAt = 0;                         // when the bar and the account line last showed
    bool m_bBatchShowPending = false;                  // the timer that shows them is set
    static constexpr UINT_PTR kShowBatchTimer = 3;

    // While rows keep arriving the list does not paint; it does now and then, and when all are in.
    std::optional<CRedrawSuspension> m_listQuiet;
};
