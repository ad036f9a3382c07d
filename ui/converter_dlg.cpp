#include "ui/converter_dlg.h"

#include "app/environment.h"
#include "framework/button.h"
#include "framework/data_exchange.h"
#include "framework/dc.h"
#include "framework/dpi.h"
#include "framework/win_app.h"
#include "ui/output_opener.h"
#include "ui/resource.h"

namespace {
// A pale green.
constexpr COLORREF kBackgroundColour = 0x00E8FFD4;
// How far the Go button stands right of its place in the template, in pixels at 96 dots per inch.
constexpr int kGoButtonShift = 55;

// The hidden imaging control's square, in pixels at 96 dots per inch.
constexpr int kImgEditSide = 100;

// Posted at initialisation where the list refused its check boxes: told once the window shows.
constexpr UINT WM_NO_CHECK_BOXES = WM_APP + 40;
const char kNoCheckBoxesText[] =
    "The file list cannot show check boxes: the common controls of this Windows (comctl32.dll) are older "
    "than those of Internet Explorer 4.\n\n"
    "Folders and their AWD files are still listed, but no file can be ticked, so none can be converted. "
    "Install Internet Explorer 4 or later, which brings newer common controls, and start Tarnvel again.";

RECT ImagingPlace() {
    const int side = ScaleToScreen(kImgEditSide);
    return RECT{0, 0, side, side};
}

struct Column {
    const char* heading;
    int width; // pixels at 96 dots per inch
};
constexpr Column kColumns[] = {
    {"Awd Files", 180}, {"Size", 60}, {"Last Modified Date", 120}, {"Result ", 56}};
} // namespace

CConverterDlg::CConverterDlg(CWnd* parent)
    : CDialog(IDD_TARNVEL_DIALOG, parent),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

CConverterDlg::~CConverterDlg() {
    // The window is gone: the control may take its time to close, up to the grace.
    if (m_pImaging) {
        m_pImaging->RequestEnd();
        m_pImaging->WaitEnded();
    }
}

const MessageMap* CConverterDlg::GetMessageMap() const {
    static const MessageMapEntry entries[] = {
        msgmap::SysCommand<&CConverterDlg::OnSysCommand>(),
        msgmap::Paint<&CConverterDlg::OnPaint>(),
        msgmap::QueryDragIcon<&CConverterDlg::OnQueryDragIcon>(),
        msgmap::Command<&CConverterDlg::OnSaveDir>(IDC_SAVE_DIR),
        msgmap::Message<&CConverterDlg::OnFolderSelected>(WM_FOLDER_SELECTED),
        msgmap::Message<&CConverterDlg::OnFolderListed>(WM_FOLDER_LISTED),
        msgmap::Message<&CConverterDlg::OnDropFiles>(WM_DROPFILES),
        msgmap::Message<&CConverterDlg::OnNotAFolder>(WM_NOT_A_FOLDER),
        msgmap::Notify<&CConverterDlg::OnListDeleteAllItems>(IDC_LIST_FILES, LVN_DELETEALLITEMS),
        msgmap::Command<&CConverterDlg::OnSelectAll>(IDC_SELECT_ALL),
        msgmap::Command<&CConverterDlg::OnSubfolders>(IDC_SUBFOLDERS),
        msgmap::Command<&CConverterDlg::OnGo>(IDC_GO),
        msgmap::Command<&CConverterDlg::OnStop>(IDC_STOP),
        msgmap::Notify<&CConverterDlg::OnListKeyDown>(IDC_LIST_FILES, LVN_KEYDOWN),
        msgmap::Message<&CConverterDlg::OnOutputNotOpened>(WM_OUTPUT_NOT_OPENED),
        msgmap::Command<&CConverterDlg::OnAbout>(IDC_ABOUT),
        msgmap::EraseBkgnd<&CConverterDlg::OnEraseBkgnd>(),
        msgmap::CtlColor<&CConverterDlg::OnCtlColor>(),
        msgmap::SetCursor<&CConverterDlg::OnSetCursor>(),
        msgmap::Message<&CConverterDlg::OnBatchBegin>(WM_BATCH_BEGIN),
        msgmap::Message<&CConverterDlg::OnBatchRowDone>(WM_BATCH_ROW_DONE),
        msgmap::Message<&CConverterDlg::OnBatchSteps>(WM_BATCH_STEPS),
        msgmap::Message<&CConverterDlg::OnBatchEnd>(WM_BATCH_END),
        msgmap::Message<&CConverterDlg::OnTimer>(WM_TIMER),
        msgmap::Message<&CConverterDlg::OnNoCheckBoxes>(WM_NO_CHECK_BOXES),
        msgmap::Message<&CConverterDlg::OnSize>(WM_SIZE),
        msgmap::Message<&CConverterDlg::OnGetMinMaxInfo>(WM_GETMINMAXINFO),
    };
    static const MessageMap map(CDialog::GetMessageMap(), entries);
    return &map;
}

LRESULT CConverterDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_taskbar.OnButtonCreated(m_hWnd, message))
        return 0;
    return CDialog::WindowProc(message, wParam, lParam);
}

void CConverterDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_OUTPUT_FOLDER, m_strOutputFolder);
}

BOOL CConverterDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU systemMenu = GetSystemMenu(FALSE)) {
        char about[256] = "";
        if (::LoadStringA(AfxGetResourceHandle(), IDS_ABOUTBOX, about, sizeof(about)) > 0) {
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    InitControls();
    if (!m_strStartFolder.IsEmpty())
        OpenFolder(m_strStartFolder);

    m_strSourceFolder.Empty();

    m_bWorkerRunning = 0;
    m_hWorkerThread = nullptr;

    m_copyOptions = BatchCopyOptions();

    m_hbrBackground.CreateSolidBrush(kBackgroundColour);

    // Stop stands under Go, and moves with it.
    for (const int id : {IDC_GO, IDC_STOP}) {
        HWND button = GetDlgItem(id);
        if (!button)
            continue;
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        ::GetWindowPlacement(button, &placement);
        const int shift = ScaleToScreen(kGoButtonShift);
        placement.rcNormalPosition.left += shift;
        placement.rcNormalPosition.right += shift;
        placement.showCmd = SW_SHOWNORMAL;
        ::SetWindowPlacement(button, &placement);
    }
    return TRUE;
}

int CConverterDlg::InitControls() {
    if (m_treeFolders.SubclassDlgItem(IDC_TREE_FOLDERS, this))
        m_treeFolders.InitTree();

    // Attached only: the list's own messages need no object of ours.
    m_listFiles.Attach(GetDlgItem(IDC_LIST_FILES));
    m_listFiles.SetExtendedStyle(m_listFiles.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    // The common controls of the first Windows 95 and NT 4.0 know no extended styles at all.
    if (!(m_listFiles.GetExtendedStyle() & LVS_EX_CHECKBOXES))
        PostMessage(WM_NO_CHECK_BOXES);
    for (int i = 0; i < static_cast<int>(sizeof(kColumns) / sizeof(kColumns[0])); ++i)
        m_listFiles.InsertColumn(i, kColumns[i].heading, LVCFMT_LEFT, ScaleToScreen(kColumns[i].width));

    m_progress.Attach(GetDlgItem(IDC_PROGRESS));
    CreateResultTip();

    // Made on its own thread, which this one never waits for while the window is up. Without it
    // every file of that route fails.
    if (!m_pImaging)
        RenewImaging();
    return 0;
}

std::shared_ptr<ImagingThread> CConverterDlg::StartImaging() {
    if (UsesConverterProgram(WindowsGeneration))
        return nullptr;
    const std::shared_ptr<ImagingThread> imaging = ImagingThread::Start(ImagingPlace(), IDC_IMGEDIT);
    imaging->WaitApartment();
    return imaging;
}

void CConverterDlg::RenewImaging() {
    if (!UsesConverterProgram(WindowsGeneration))
        ImagingThread::Renew(m_pImaging, ImagingPlace(), IDC_IMGEDIT);
}

LRESULT CConverterDlg::OnNoCheckBoxes(WPARAM, LPARAM) {
    ::MessageBoxA(m_hWnd, kNoCheckBoxesText, "Tarnvel", MB_OK | MB_ICONWARNING);
    return 0;
}

void CConverterDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
        return;
    }
    Default();
}

void CConverterDlg::OnPaint() {
    if (!IsIconic()) {
        Default();
        return;
    }
    PaintContext paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()));
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(paint.dc(), x, y, m_hIcon);
}

HCURSOR CConverterDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

void CConverterDlg::OnSelectAll() {
    CButton box; // attached only: the window stays the dialog's
    if (!box.Attach(GetDlgItem(IDC_SELECT_ALL)))
        return;
    const bool tick = (box.GetState() & 3) != 0;
    for (int i = 0; i < m_listFiles.GetItemCount(); ++i)
        m_listFiles.SetCheck(i, tick);
}

BOOL CConverterDlg::OnEraseBkgnd(HDC dc) {
    if (!m_hbrBackground)
        return static_cast<BOOL>(Default());
    RECT client;
    GetClientRect(&client);
    ::FillRect(dc, &client, m_hbrBackground);
    return TRUE;
}

HBRUSH CConverterDlg::OnCtlColor(HDC dc, HWND control, UINT ctlType) {
    // The account line is text on the window's own background, not a grey band under the list; the
    // controls keep the system's colours over the green background.
    if (control == GetDlgItem(IDC_ACCOUNT) && m_hbrBackground) {
        ::SetBkMode(dc, TRANSPARENT);
        return m_hbrBackground;
    }
    return CDialog::OnCtlColor(dc, control, ctlType);
}

BOOL CConverterDlg::DestroyWindow() {
    // A batch still running (the thread was asked to quit) ends its current file first.
    StopWorker();
    if (m_pImaging)
        m_pImaging->RequestEnd();
    m_lister.Close();
    m_listQuiet.reset();
    // The list and the progress bar go with the dialog's window; the objects only let go.
    m_listFiles.Detach();
    m_progress.Detach();
    m_hbrBackground.DeleteObject();
    return CDialog::DestroyWindow();
}
