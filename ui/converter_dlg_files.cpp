// The file list of the main dialog: a folder selected in the tree becomes the source folder, the
// output folder and one unticked row per AWD file in it.
#include "ui/converter_dlg.h"

#include <mbstring.h>

#include <cstring>

namespace {
// The date ends in a blank, so that the time follows it directly.
const char kDatePicture[] = "yyyy'.'MM'.'dd ";
const char kTimePicture[] = "hh':'mm";
constexpr int kFormatBuffer = 50;

// FindFirstFileA and FindClose as one scope.
class CFindHandle {
public:
    CFindHandle(const char* pattern, WIN32_FIND_DATAA* found) : m_h(::FindFirstFileA(pattern, found)) {}
    ~CFindHandle() {
        if (m_h != INVALID_HANDLE_VALUE)
            ::FindClose(m_h);
    }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA* found) const { return ::FindNextFileA(m_h, found) != FALSE; }

private:
    HANDLE m_h;
};

// "size,yyyy.MM.dd hh:mm" with the last-write time as the file system keeps it (UTC).
CString FileDetails(const WIN32_FIND_DATAA& found) {
    const ULONGLONG size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    CString details;
    details.Format("%llu,", size);
    SYSTEMTIME time{};
    if (!::FileTimeToSystemTime(&found.ftLastWriteTime, &time))
        return details;
    char date[kFormatBuffer] = "";
    char clock[kFormatBuffer] = "";
    if (!::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, kDatePicture, date, kFormatBuffer))
        date[0] = '\0';
    if (!::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, kTimePicture, clock, kFormatBuffer))
        clock[0] = '\0';
    details += date;
    details += clock;
    return details;
}
} // namespace

LRESULT CConverterDlg::OnFolderSelected(WPARAM wParam, LPARAM) {
    // The text lives only for this call.
    const CString folder(reinterpret_cast<const char*>(wParam));

    // Every row is replaced while the control does not paint; repainting per row costs three
    // orders of magnitude more than the insertions themselves.
    m_listFiles.SendMessage(WM_SETREDRAW, FALSE);
    m_listFiles.DeleteAllItems();
    ++m_nListGeneration;

    m_strOutputFolder = folder;
    UpdateData(FALSE);

    ScanFolder(folder);
    for (int i = 0; i < m_arrFileNames.GetSize(); ++i) {
        const int row = m_listFiles.InsertItem(i, m_arrFileNames[i]);
        if (row < 0)
            continue;
        const CString& details = m_arrFileDetails[i];
        const int comma = details.Find(',');
        m_listFiles.SetItemText(row, 1, comma < 0 ? details.GetString() : details.Left(comma).GetString());
        m_listFiles.SetItemText(row, 2, comma < 0 ? "" : details.GetString() + comma + 1);
    }
    m_listFiles.SendMessage(WM_SETREDRAW, TRUE);
    if (m_listFiles.m_hWnd)
        ::InvalidateRect(m_listFiles.m_hWnd, nullptr, TRUE);
    return 1;
}

int CConverterDlg::ScanFolder(CString folder) {
    m_strSourceFolder = folder;
    m_arrFileNames.RemoveAll();
    m_arrFileDetails.RemoveAll();
    // An item without a file-system path has no files; "\*.*" would list the current drive's root.
    if (folder.IsEmpty())
        return 0;

    WIN32_FIND_DATAA found{};
    const CFindHandle find(folder + "\\*.*", &found);
    if (!find.IsValid())
        return 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue; // this also skips "." and ".."
        if (!IsAwdFileName(found.cFileName))
            continue;
        m_arrFileNames.Add(found.cFileName);
        m_arrFileDetails.Add(FileDetails(found));
    } while (find.Next(&found));
    return 0;
}

int CConverterDlg::IsAwdFileName(const char* name) {
    if (!name)
        return 0;
    const size_t length = std::strlen(name);
    const char* tail = length > 3 ? name + length - 3 : name;
    return _mbsicmp(reinterpret_cast<const unsigned char*>(tail),
                    reinterpret_cast<const unsigned char*>("awd")) == 0
               ? 1
               : 0;
}
