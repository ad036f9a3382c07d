// A folder is listed off the window thread: the window answers while the folder is read, the rows
// come in the file system's order, and a newer selection supersedes an older listing, whose rows
// never show, even when the older is held up in the file system.
#include "framework/handle.h"
#include "support/scope_undo.h"
#include "temp_folder.h"
#include "ui/folder_listing.h"
#include "win32/convert/conversion_fixture.h"
#include "win32/dialog_driver.h"

#include <gtest/gtest.h>

namespace {
using Texts = std::vector<std::string>;

// The listing of g_heldFolder stops after its first AWD file until g_release is set (10 s at most).
std::string g_heldFolder;
HANDLE g_release = nullptr;
LONG g_held = 0;      // listings that reached the hold
LONG g_abandoned = 0; // listings that stopped reading before the folder's end

bool HoldingReader(const CStringW& folder, const FolderEntryVisitor& visit) {
    const bool holds = g_heldFolder == Utf8(folder);
    bool passedAwd = false, held = false;
    return ReadFolderEntries(folder, [&](const WIN32_FIND_DATAW& found) {
        const bool awd = IsAwdFileName(found.cFileName) != 0;
        // Found as late as rows may wait, the first row goes to the window at once.
        if (holds && awd && !passedAwd)
            ::Sleep(kListingBatchMs + 50);
        if (holds && passedAwd && !held) {
            held = true;
            ::InterlockedIncrement(&g_held);
            ::WaitForSingleObject(g_release, 10000);
        }
        passedAwd = passedAwd || awd;
        if (visit(found))
            return true;
        ::InterlockedIncrement(&g_abandoned);
        return false;
    });
}

// Each entry of g_slowFolder takes 30 ms to read, as on a slow share.
std::string g_slowFolder;

bool SlowReader(const CStringW& folder, const FolderEntryVisitor& visit) {
    const bool slow = g_slowFolder == Utf8(folder);
    return ReadFolderEntries(folder, [&](const WIN32_FIND_DATAW& found) {
        if (slow)
            ::Sleep(30);
        return visit(found);
    });
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
// is inside an entry of an earlier one. Each selection supersedes the listing under way, whose
// thread then takes the newest; the last folder is listed whole, and the listing ends.
TEST(FolderListing, FoldersSelectedBackToBackWhileOneIsReadListTheLastWhole) {
    TempFolder slow("slow"), passed("passed"), last("last");
    for (int i = 0; i < 20; ++i)
        slow.MakeFile("s" + std::to_string(i) + ".awd");
    passed.MakeFile("p.awd");
    for (const char* name : {"x.awd", "y.awd", "z.awd"})
        last.MakeFile(name);
    Texts lastNames;
    for (const std::string& name : ListFiles(last.Path()))
        lastNames.push_back(name);

    g_slowFolder = slow.Path();
    const ScopedUndo reader([saved = g_folderReader] { g_folderReader = saved; });
    g_folderReader = &SlowReader;
    WithMainDialog([&](HWND dialog) {
        for (int round = 0; round < 5; ++round) {
            SendFolderSelected(dialog, slow.Path());
            Serve(45);
            SendFolderSelected(dialog, passed.Path());
            SendFolderSelected(dialog, last.Path());
            EXPECT_TRUE(Serve(5000, [&] { return CursorOver(dialog) == ::LoadCursorA(nullptr, IDC_ARROW); }))
                << "round " << round << ": the listing never ended";
            EXPECT_EQ(Names(dialog), lastNames) << "round " << round;
        }
    });
}
