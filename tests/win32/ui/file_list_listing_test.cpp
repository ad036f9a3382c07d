// A folder is listed off the window thread: the window answers while the folder is read, the rows
// come in the file system's order, and a newer selection supersedes an older listing, whose rows
// never show, even when the older is held up in the file system. With Subfolders ticked, every
// folder below it is listed too.
#include "framework/handle.h"
#include "support/scope_undo.h"
#include "temp_folder.h"
#include "ui/converter_dlg.h"
#include "ui/resource.h"
#include "win32/convert/conversion_fixture.h"
#include "win32/dialog_driver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
using Texts = std::vector<std::string>;

// Reads as the system does, but: g_heldFolder's listing stops after its first AWD file until
// g_release is set (10 s at most); each entry of g_slowFolder takes 30 ms, as on a slow share;
// g_gone goes away once its parent has been read, listed there but never readable itself.
std::string g_heldFolder, g_slowFolder, g_gone;
HANDLE g_release = nullptr;
LONG g_held = 0;      // listings that reached the hold
LONG g_abandoned = 0; // listings that stopped reading before the folder's end

bool HoldingReader(const CStringW& folder, const FolderEntryVisitor& visit) {
    const bool holds = g_heldFolder == Utf8(folder);
    bool passedAwd = false, held = false;
    const bool read = ReadFolderEntries(folder, [&](const WIN32_FIND_DATAW& found) {
        const bool awd = IsAwdFileName(found.cFileName) != 0;
        // Found as late as rows may wait, the first row goes to the window at once.
        if (holds && awd && !passedAwd)
            ::Sleep(kListingBatchMs + 50);
        if (holds && passedAwd && !held) {
            held = true;
            ::InterlockedIncrement(&g_held);
            ::WaitForSingleObject(g_release, 10000);
        }
        ::Sleep(g_slowFolder == Utf8(folder) ? 30 : 0);
        passedAwd = passedAwd || awd;
        if (visit(found))
            return true;
        ::InterlockedIncrement(&g_abandoned);
        return false;
    });
    if (!g_gone.empty() && g_gone == Utf8(folder) + "\\gone")
        RemoveTree(std::exchange(g_gone, std::string()));
    return read;
}

// A link to the folder above, as wine shows a Linux symbolic link (its CreateSymbolicLinkW makes
// none): made by ln, which wine starts like a Windows program.
bool LinkUp(const std::string& folder, const std::string& name) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* path = unixName ? unixName(Wide(folder).c_str()) : nullptr;
    std::string command = "/bin/ln -s .. \"" + std::string(path ? path : "") + "/" + name + "\"";
    STARTUPINFOA start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION process{};
    if (!path || !::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start,
                                   &process))
        return false;
    ::HeapFree(::GetProcessHeap(), 0, path);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // Wine may tell that the program has ended before it has.
    const auto linked = [&] {
        const DWORD attributes = ::GetFileAttributesA((folder + "\\" + name).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    };
    for (int wait = 0; wait < 250 && !linked(); ++wait)
        ::Sleep(20);
    return linked();
}

HCURSOR CursorOver(HWND dialog) {
    ::SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
}

Texts Names(HWND dialog) {
    Texts names;
    for (int row = 0; row < RowCount(dialog); ++row)
        names.push_back(CellOf(dialog, row, 0));
    return names;
}
} // namespace

TEST(FolderListing, TheWindowAnswersWhileAFolderIsReadAndANewerSelectionSupersedesIt) {
    TempFolder slow("held"), quick("quick");
    for (const char* name : {"e.awd", "a.awd", "notes.txt", "d.awd", "c.awd", "b.awd"})
        slow.MakeFile(name);
    quick.MakeFile("q.awd");
    Texts order;
    for (const std::string& name : ListFiles(slow.Path()))
        if (IsAwdFileName(Wide(name).c_str()))
            order.push_back(name);
    ASSERT_EQ(order.size(), 5u);

    const CHandle release(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    g_release = release.Get();
    g_heldFolder = slow.Path();
    g_held = g_abandoned = 0;
    const ScopedUndo reader([saved = g_folderReader] { g_folderReader = saved; });
    g_folderReader = &HoldingReader;
    WithMainDialog([&](HWND dialog) {
        // The selection is answered while the folder's reading is held after its first row.
        SendFolderSelected(dialog, slow.Path());
        ASSERT_TRUE(Serve(10000, [&] { return g_held == 1 && RowCount(dialog) == 1; }));
        EXPECT_EQ(CellOf(dialog, 0, 0), order[0]);
        EXPECT_EQ(OutputFolderOf(dialog), slow.Path());
        EXPECT_EQ(CursorOver(dialog), ::LoadCursorA(nullptr, IDC_APPSTARTING));
        ::SetEvent(release.Get());
        ASSERT_TRUE(WaitForListing(dialog, slow.Path()));
        EXPECT_EQ(Names(dialog), order);
        EXPECT_TRUE(Serve(10000, [&] { return CursorOver(dialog) == ::LoadCursorA(nullptr, IDC_ARROW); }));

        // Held again, its first row not yet taken by the window, for longer than a listing may be
        // held up before the next one gets a thread of its own: another folder is listed meanwhile,
        // and the held one's rows never show, nor is it read any further once it is released.
        ::ResetEvent(release.Get());
        SendFolderSelected(dialog, slow.Path());
        for (const DWORD start = ::GetTickCount(); g_held < 2 && ::GetTickCount() - start < 10000;)
            ::Sleep(10);
        ASSERT_EQ(g_held, 2);
        ::Sleep(kListingHeldUpMs + 200);
        SendFolderSelected(dialog, quick.Path());
        EXPECT_TRUE(WaitForListing(dialog, quick.Path(), 5000)) << "waited for the held listing";
        ::SetEvent(release.Get());
        EXPECT_TRUE(Serve(10000, [&] { return g_abandoned == 1; }));
        Serve(0);
        EXPECT_EQ(Names(dialog), (Texts{"q.awd"})) << "the superseded listing's rows showed";
        EXPECT_EQ(OutputFolderOf(dialog), quick.Path());
    });
}

// The arrow key held in the tree: folders are selected one after another while the listing thread
// is inside an entry of an earlier one. The last folder is listed whole, and the listing ends.
TEST(FolderListing, FoldersSelectedBackToBackWhileOneIsReadListTheLastWhole) {
    TempFolder slow("slow"), passed("passed"), last("last");
    for (const char* name : {"s1.awd", "s2.awd", "s3.awd", "s4.awd", "s5.awd", "s6.awd"})
        slow.MakeFile(name);
    passed.MakeFile("p.awd");
    for (const char* name : {"x.awd", "y.awd", "z.awd"})
        last.MakeFile(name);
    g_slowFolder = slow.Path();
    const ScopedUndo reader([saved = g_folderReader] { g_folderReader = saved; });
    g_folderReader = &HoldingReader;
    WithMainDialog([&](HWND dialog) {
        for (int round = 0; round < 5; ++round) {
            SendFolderSelected(dialog, slow.Path());
            Serve(45);
            SendFolderSelected(dialog, passed.Path());
            SendFolderSelected(dialog, last.Path());
            EXPECT_TRUE(Serve(5000, [&] { return CursorOver(dialog) == ::LoadCursorA(nullptr, IDC_ARROW); }));
            EXPECT_EQ(Names(dialog), ListFiles(last.Path())) << "round " << round;
        }
    });
}

// Subfolders ticked: the folder's AWD files, then each folder below it whole, depth first, by their
// paths below it; a link back up is not followed; a folder gone before it is read is counted.
// Ticking or unticking the box lists the folder again, and leaves the output folder.
TEST(FolderListing, SubfoldersListsTheTreeOnceByRelativeNamesAndCountsWhatCannotBeRead) {
    TempFolder root("tree");
    for (const char* folder : {"y1", "y1\\m1", "y1\\m1\\d1", "y2", "empty", "gone"})
        root.MakeFolder(folder);
    for (const char* file : {"top.awd", "y1\\a.awd", "y1\\m1\\fax 1.awd", "y1\\m1\\d1\\c.awd", "y2\\e.awd",
                             "gone\\f.awd", "notes.txt"})
        root.MakeFile(file);
    ASSERT_TRUE(LinkUp(root / "y1", "up"));
    Texts order; // the root's entries in the file system's order: y1 and y2 come in it
    ReadFolderEntries(Wide(root.Path()).c_str(), [&](const WIN32_FIND_DATAW& found) {
        order.push_back(Utf8(found.cFileName));
        return true;
    });
    const Texts y1 = {"y1\\a.awd", "y1\\m1\\fax 1.awd", "y1\\m1\\d1\\c.awd"};
    Texts tree = {"top.awd", "y2\\e.awd"};
    const bool y1First =
        std::find(order.begin(), order.end(), "y1") < std::find(order.begin(), order.end(), "y2");
    tree.insert(tree.begin() + (y1First ? 1 : 2), y1.begin(), y1.end());

    const ScopedUndo reader([saved = g_folderReader] { g_folderReader = saved; });
    g_folderReader = &HoldingReader;
    WithMainDialog([&](HWND dialog) {
        const auto* dlg = static_cast<CConverterDlg*>(CWnd::FromHandlePermanent(dialog));
        const auto clickSubfolders = [&] {
            ::SendDlgItemMessageA(dialog, IDC_SUBFOLDERS, BM_CLICK, 0, 0);
            return Serve(10000, [&] { return CursorOver(dialog) == ::LoadCursorA(nullptr, IDC_ARROW); });
        };
        SelectFolder(dialog, root.Path());
        EXPECT_EQ(Names(dialog), Texts{"top.awd"});
        TypeOutputFolder(dialog, "C:\\chosen");
        g_gone = root / "gone";
        ASSERT_TRUE(clickSubfolders());
        EXPECT_EQ(Names(dialog), tree);
        EXPECT_EQ(dlg->UnreadableFolders(), 1);
        ASSERT_TRUE(clickSubfolders());
        EXPECT_EQ(Names(dialog), Texts{"top.awd"});
        EXPECT_EQ(dlg->UnreadableFolders(), 0);
        EXPECT_EQ(OutputFolderOf(dialog), "C:\\chosen");
    });
    // The selected folder is no subfolder of its own: gone, it counts none.
    EXPECT_EQ(WalkFolder(&ReadFolderEntries, Wide(root / "gone").c_str(), true,
                         [](const CStringW&, const WIN32_FIND_DATAW&) { return true; }),
              0);
}
