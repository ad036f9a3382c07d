// The main window's Save Dir and About commands.
#include "framework/data_exchange.h"
#include "ui/about_dlg.h"
#include "ui/converter_dlg.h"
#include "ui/folder_dialog.h"

namespace {
// Where the output goes when the user picks no folder; Go creates it if needed.
constexpr wchar_t kFallbackOutputFolder[] = L"C:\\temp";
} // namespace

void CConverterDlg::OnSaveDir() {
    // The member, not the field: text typed but not yet exchanged is not where the browser opens.
    CFolderDialog picker(L"Select folder:", m_strOutputFolder, this,
                         BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE);
    if (picker.DoModal() == IDOK)
        m_strOutputFolder = picker.m_szFolderPath;
    else
        m_strOutputFolder = kFallbackOutputFolder;
    UpdateData(FALSE);
}

void CConverterDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}
