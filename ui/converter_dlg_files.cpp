// The file list of the main dialog: a folder selected in the tree becomes the source folder, the
// output folder and one unticked row per AWD file in it.
#include "ui/converter_dlg.h"

#include "framework/find_handle.h"
#include "framework/redraw_suspension.h"

#include <mbstring.h>

#include <cstring>
#include <map>
#include <vector>

namespace {
// The date ends in a blank, so that the time follows it directly.
const char kDatePicture[] = "yyyy'.'MM'.'dd ";
const char kTimePicture[] = "hh':'mm";
constexpr int kFormatBuffer = 50;

// Makes the detail strings of one scan: "size,yyyy.MM.dd hh:mm" with the last-write time as the
// file system keeps it (UTC). A folder's files share few dates and at most 1,440 clock times, so
// each text is asked of the locale once per scan.
class CDetailFormatter {
public:
    CString Format(const WIN32_FIND_DATAA& found) {
        const ULONGLONG size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        CString details;
        details.Format("%llu,", size);
        SYSTEMTIME time{};
        if (!::FileTimeToSystemTime(&found.ftLastWriteTime, &time))
            return details;
        details += Date(time);
        details += Clock(time);
        return details;
    }

private:
    const CString& Date(const SYSTEMTIME& time) {
        const DWORD key = (static_cast<DWORD>(time.wYear) << 16) | (time.wMonth << 8) | time.wDay;
        auto found = m_dates.find(key);
        if (found != m_dates.end())
            return found->second;
        char text[kFormatBuffer] = "";
        if (!::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, kDatePicture, text, kFormatBuffer))
            text[0] = '\0';
        return m_dates.emplace(key, CString(text)).first->second;
    }

    const CString& Clock(const SYSTEMTIME& time) {
        const size_t key = static_cast<size_t>(time.wHour) * 60 + time.wMinute;
        if (key >= kMinutesPerDay)
            return m_empty;
        if (!m_known[key]) {
            char text[kFormatBuffer] = "";
            if (!::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, kTimePicture, text, kFormatBuffer))
                text[0] = '\0';
            m_clocks[key] = text;
            m_known[key] = true;
        }
        return m_clocks[key];
    }

    static constexpr size_t kMinutesPerDay = 24 * 60;
    std::map<DWORD, CString> m_dates;
    std::vector<CString> m_clocks = std::vector<CString>(kMinutesPerDay);
    std::vector<bool> m_known = std::vector<bool>(kMinutesPerDay);
    CString m_empty;
};
} // namespace

LRESULT CConverterDlg::OnFolderSelected(WPARAM wParam, LPARAM) {
    // The text lives only for this call.
    const CString folder(reinterpret_cast<const char*>(wParam));

    // Every row is replaced while the control does not paint; repainting per row costs three
    // orders of magnitude more than the insertions themselves.
    const CRedrawSuspension quiet(m_listFiles.m_hWnd);
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
    return 1;
}

void CConverterDlg::OnListDeleteAllItems(NMHDR*, LRESULT* result) {
    SetResultReason(-1, "");
    *result = TRUE;
}

int CConverterDlg::ScanFolder(CString folder) {
    m_strSourceFolder = folder;
    m_arrFileNames.RemoveAll();
    m_arrFileDetails.RemoveAll();
    // An item without a file-system path has no files; "\*.*" would list the current drive's root.
    if (folder.IsEmpty())
        return 0;

    CDetailFormatter formatter;
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
        m_arrFileDetails.Add(formatter.Format(found));
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
