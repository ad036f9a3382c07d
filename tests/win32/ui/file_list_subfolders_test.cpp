// With Subfolders ticked the list holds the AWD files of the selected folder and of every folder
// below it, each named by its path below the selected folder: a folder's files in the file
// system's order, then each of its subfolders whole. A link back up is not followed, and a
// subfolder that cannot be read is counted without stopping the rest. Ticking or unticking the box
// lists the folder again.
#include "support/scope_undo.h"
#include "temp_folder.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "win32/dialog_driver.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using Texts = std::vector<std::string>;

// Goes away once its parent has been read, as a folder someone removes while the walk goes on:
// listed by its parent, it cannot be read itself.
std::string g_vanishing;

bool VanishingReader(const CStringW& folder, const FolderEntryVisitor& visit) {
    const bool read = ReadFolderEntries(folder, visit);
    if (!g_vanishing.empty() && Utf8(folder) == g_vanishing.substr(0, g_vanishing.rfind('\\')))
        RemoveTree(std::exchange(g_vanishing, std::string()));
    return read;
}

// A link `name` in `folder` to the folder above it. Under wine a Linux symbolic link is what
// Windows shows of a junction, and wine's CreateSymbolicLinkW makes nothing: made by ln, which wine
// starts like a Windows program.
bool MakeLinkUp(const std::string& folder, const std::string& name) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    using SymbolicLink = BOOLEAN(WINAPI*)(LPCWSTR, LPCWSTR, DWORD);
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "wine_get_unix_file_name")));
    const std::string link = folder + "\\" + name;
    if (unixName) {
        char* path = unixName(Wide(folder).c_str());
        std::string command = "/bin/ln -s .. \"" + std::string(path ? path : "") + "/" + name + "\"";
        ::HeapFree(::GetProcessHeap(), 0, path);
        STARTUPINFOA start{};
        start.cb = sizeof(start);
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                              &process))
            return false;
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    } else if (const auto symbolicLink = reinterpret_cast<SymbolicLink>(
                   reinterpret_cast<void*>(::GetProcAddress(kernel, "CreateSymbolicLinkW")))) {
        // A folder link, made without elevation where Windows allows it.
        symbolicLink(Wide(link).c_str(), L"..", 0x1 | 0x2);
    }
    // Wine may report the Linux program ended before it has.
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 5000; ::Sleep(20)) {
        const DWORD attributes = ::GetFileAttributesA(link.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return true;
    }
    return false;
}

// `names` in the order the file system enumerates `folder`.
Texts InFolderOrder(const std::string& folder, Texts names) {
    Texts order;
    ReadFolderEntries(Wide(folder).c_str(), [&](const WIN32_FIND_DATAW& found) {
        order.push_back(Utf8(found.cFileName));
        return true;
    });
    const auto at = [&](const std::string& name) { return std::find(order.begin(), order.end(), name); };
    std::sort(names.begin(), names.end(),
              [&](const std::string& a, const std::string& b) { return at(a) < at(b); });
    return names;
}

Texts Names(HWND dialog) {
    Texts names;
    for (int row = 0; row < RowCount(dialog); ++row)
        names.push_back(CellOf(dialog, row, 0));
    return names;
}

// Clicks Subfolders and serves the dialog until the listing it starts has ended.
void ClickSubfolders(HWND dialog) {
    ::SendMessageA(::GetDlgItem(dialog, IDC_SUBFOLDERS), BM_CLICK, 0, 0);
    EXPECT_TRUE(Serve(10000, [&] {
        ::SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor() == ::LoadCursorA(nullptr, IDC_ARROW);
    })) << "the listing did not end";
}

int UnreadableFoldersOf(HWND dialog) {
    return static_cast<CConverterDlg*>(CWnd::FromHandlePermanent(dialog))->UnreadableFolders();
}
} // namespace

TEST(Subfolders, TickedTheWholeTreeIsListedOnceByRelativeNamesFilesBeforeSubfolders) {
    TempFolder root("subfolders");
    for (const char* folder : {"2019", "2019\\03", "2019\\03\\deep", "2020", "empty", "gone"})
        root.MakeFolder(folder);
    for (const char* file : {"top.awd", "notes.txt", "2019\\a.awd", "2019\\03\\fax 1.awd",
                             "2019\\03\\fax 2.awd", "2019\\03\\deep\\d.awd", "2020\\b.awd", "gone\\lost.awd"})
        root.MakeFile(file);
    ASSERT_TRUE(MakeLinkUp(root / "2019", "up"));

    Texts year2019 = {"2019\\a.awd"};
    for (const std::string& name : InFolderOrder(root / "2019\\03", {"fax 1.awd", "fax 2.awd"}))
        year2019.push_back("2019\\03\\" + name);
    year2019.push_back("2019\\03\\deep\\d.awd");
    Texts tree = {"top.awd"};
    for (const std::string& year : InFolderOrder(root.Path(), {"2019", "2020"})) {
        const Texts& files = year == "2019" ? year2019 : Texts{"2020\\b.awd"};
        tree.insert(tree.end(), files.begin(), files.end());
    }

    const ScopedUndo reader([saved = g_folderReader] { g_folderReader = saved; });
    g_folderReader = &VanishingReader;
    WithMainDialog([&](HWND dialog) {
        SelectFolder(dialog, root.Path());
        EXPECT_EQ(Names(dialog), Texts{"top.awd"}) << "unticked, the folder alone";
        TypeOutputFolder(dialog, "C:\\chosen");

        g_vanishing = root / "gone";
        ClickSubfolders(dialog);
        EXPECT_EQ(Names(dialog), tree);
        EXPECT_EQ(UnreadableFoldersOf(dialog), 1);
        EXPECT_EQ(CheckOf(dialog, 0), 1) << "unticked rows";
        EXPECT_EQ(OutputFolderOf(dialog), "C:\\chosen") << "the output folder stays";

        ClickSubfolders(dialog);
        EXPECT_EQ(Names(dialog), Texts{"top.awd"});
        EXPECT_EQ(UnreadableFoldersOf(dialog), 0);
    });
}
