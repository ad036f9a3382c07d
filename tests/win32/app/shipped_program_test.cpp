// The shipped program itself, started as a user starts it: its window appears, one file converts
// through each renderer's stand-in (into a TIFF, then a PDF), and it closes; started as a script
// starts it, it converts whole folders without a window and ends with its exit code. It runs in its own ctest
// entry, which names the program in TARNVEL_PROGRAM: the control's registration and the folder on the desktop
// are seen by every program in the prefix.
#include "convert/img_edit.h"
#include "win32/convert/conversion_fixture.h"
#include "win32/convert/server_registration.h"
#include "win32/ui/temp_folder.h"
#include "win32/ui/ui_test_support.h"
#include "app/unattended_run.h"
#include "convert/file_batch_report.h"
#include "ui/resource.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
// Memory in the program's process, for the list and tree messages that carry pointers.
class RemoteBuffer {
public:
    explicit RemoteBuffer(HANDLE process) : m_process(process) {
        m_base = static_cast<char*>(::VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (m_base)
            ::VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    // The item record goes first, its text after it.
    template <typename Item> std::string Query(HWND window, UINT message, WPARAM wParam, Item item) {
        item.pszText = m_base + kTextOffset;
        item.cchTextMax = kSize - kTextOffset;
        char text[kSize - kTextOffset] = "";
        if (!m_base || !::WriteProcessMemory(m_process, m_base, &item, sizeof(item), nullptr))
            return "(no remote memory)";
        if (!::SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(m_base)) &&
            message == TVM_GETITEMA)
            return "(no item)";
        ::ReadProcessMemory(m_process, m_base + kTextOffset, text, sizeof(text) - 1, nullptr);
        return text;
    }

private:
    static constexpr int kSize = 1024;
    static constexpr int kTextOffset = 256;
    HANDLE m_process;
    char* m_base = nullptr;
};

struct ProgramWindow {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialogOf(HWND window, LPARAM data) {
    auto* wanted = reinterpret_cast<ProgramWindow*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof(className));
    if (owner != wanted->processId || std::string(className) != "#32770" || !::IsWindowVisible(window))
        return TRUE;
    wanted->found = window;
    return FALSE;
}

// Waits for `done`, up to `ms`.
bool WaitFor(DWORD ms, const std::function<bool()>& done) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (done())
            return true;
        ::Sleep(50);
    }
    return done();
}

std::string DesktopFolder() {
    char path[MAX_PATH] = "";
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &list))) {
        ::SHGetPathFromIDListA(list, path);
        ::CoTaskMemFree(list);
    }
    return path;
}

class ShippedProgram : public ConversionTest {
protected:
    // Starts a copy of the program named for `windowsVersion` (which wine reports to it), selects
    // the folder `name` on the desktop, ticks everything, presses Go and returns the one row's
    // result once it is there; the program is closed again.
    std::string ConvertOneFile(const char* program, const char* windowsVersion, const std::string& name,
                               bool pdf = false);
    // Starts the copy of the program named for `windowsVersion` with `arguments` after its name; its
    // process, whose handle the test closes, or null (the test has failed then).
    PROCESS_INFORMATION StartCopy(const char* program, const char* windowsVersion,
                                  const std::wstring& arguments);

    std::vector<std::unique_ptr<ScopedUndo>> m_versions; // each copy's registered version
};

PROCESS_INFORMATION ShippedProgram::StartCopy(const char* program, const char* windowsVersion,
                                              const std::wstring& arguments) {
    const std::string copy = Folder(windowsVersion) + "\\Tarnvel-" + windowsVersion + ".exe";
    if (!FileExists(copy)) {
        EXPECT_TRUE(::CopyFileA(program, copy.c_str(), FALSE)) << program;
        const std::string versionKey =
            std::string("Software\\Wine\\AppDefaults\\Tarnvel-") + windowsVersion + ".exe";
        HKEY key = nullptr;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, versionKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr);
        ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(windowsVersion),
                         static_cast<DWORD>(std::strlen(windowsVersion) + 1));
        ::RegCloseKey(key);
        m_versions.push_back(std::make_unique<ScopedUndo>(
            [versionKey] { ::RegDeleteKeyA(HKEY_CURRENT_USER, versionKey.c_str()); }));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + Wide(copy) + L"\" " + arguments;
    if (!::CreateProcessW(Wide(copy).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started))
        ADD_FAILURE() << "the program did not start: " << ::GetLastError();
    if (started.hThread)
        ::CloseHandle(started.hThread);
    return started;
}

std::string ShippedProgram::ConvertOneFile(const char* program, const char* windowsVersion,
                                           const std::string& name, bool pdf) {
    const PROCESS_INFORMATION started = StartCopy(program, windowsVersion, L"");
    if (!started.hProcess)
        return "";
    ProgramWindow window{started.dwProcessId, nullptr};
    const bool appeared = WaitFor(30000, [&] {
        ::EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&window));
        return window.found != nullptr;
    });
    EXPECT_TRUE(appeared) << "no window of the program appeared";

    std::string result;
    if (appeared) {
        RemoteBuffer remote(started.hProcess);
        HWND tree = ::GetDlgItem(window.found, IDC_TREE_FOLDERS);
        HWND list = ::GetDlgItem(window.found, IDC_LIST_FILES);
        // The desktop's own folders are the children of the tree's root, the desktop; they arrive
        // when the shell has been read.
        TreeView_Expand(tree, TreeView_GetRoot(tree), TVE_EXPAND);
        HTREEITEM item = nullptr;
        std::string seen;
        WaitFor(30000, [&] {
            seen.clear();
            for (item = TreeView_GetChild(tree, TreeView_GetRoot(tree)); item;
                 item = TreeView_GetNextSibling(tree, item)) {
                TVITEMA query{};
                query.mask = TVIF_TEXT;
                query.hItem = item;
                const std::string text = remote.Query(tree, TVM_GETITEMA, 0, query);
                if (text == name)
                    return true;
                seen += "[" + text + "] ";
            }
            return false;
        });
        EXPECT_NE(item, nullptr) << name << " is not among the desktop's folders: " << seen;
        if (item) {
            TreeView_SelectItem(tree, item);
            EXPECT_TRUE(WaitFor(30000, [&] { return ListView_GetItemCount(list) == 1; }));
            ::SendMessageA(::GetDlgItem(window.found, IDC_SELECT_ALL), BM_CLICK, 0, 0);
            if (pdf)
                ::SendMessageA(::GetDlgItem(window.found, IDC_PDF), BM_CLICK, 0, 0);
            ::SendMessageA(::GetDlgItem(window.found, IDC_GO), BM_CLICK, 0, 0);
            LVITEMA cell{};
            cell.iSubItem = 3;
            WaitFor(60000, [&] {
                result = remote.Query(list, LVM_GETITEMTEXTA, 0, cell);
                return !result.empty();
            });
        }
        ::PostMessageA(window.found, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(::WaitForSingleObject(started.hProcess, 30000), WAIT_OBJECT_0) << "the program did not close";
    ::TerminateProcess(started.hProcess, 1); // only if it hung: the test has failed then already
    ::CloseHandle(started.hProcess);
    return result;
}

TEST_F(ShippedProgram, StartsConvertsOneFileOnEachRouteAndCloses) {
    const char* program = std::getenv("TARNVEL_PROGRAM");
    if (!program)
        GTEST_SKIP() << "runs in its own ctest entry, which names the shipped program in TARNVEL_PROGRAM";
    const std::string desktop = DesktopFolder();
    ASSERT_FALSE(desktop.empty());
    const std::string name = "tarnvel-shipped-" + std::to_string(::GetCurrentProcessId());
    const std::string fax = desktop + "\\" + name;
    RemoveTree(fax);
    ASSERT_TRUE(::CreateDirectoryA(fax.c_str(), nullptr)) << fax;
    WriteFaxFixture(fax + "\\in.awd", 2, 5);
    const std::vector<FaxPage> pages = ReadFaxPages(fax + "\\in.awd");

    // Windows XP: the converter program, found on the search path the program inherits.
    EXPECT_EQ(ConvertOneFile(program, "winxp", name), "OK");
    EXPECT_EQ(ReadFaxPages(fax + "\\in.tif"), pages);
    EXPECT_EQ(StubLog().size(), 1u);

    // Windows 98: the imaging control, found through its registration as a real one is; a PDF.
    ASSERT_TRUE(::DeleteFileA((fax + "\\in.tif").c_str()));
    {
        ScopedServerRegistration registration(CLSID_ImgEdit,
                                              ProgramFolder() + "\\doubles\\imgedit_double.dll");
        ASSERT_TRUE(registration.ok());
        EXPECT_EQ(ConvertOneFile(program, "win98", name, true), "OK");
    }
    EXPECT_EQ(ListFiles(fax, "in.*").size(), 2u) << "the document and its PDF";
    EXPECT_EQ(ReadFile(fax + "\\in.pdf").rfind("%PDF-1.3", 0), 0u);
    EXPECT_EQ(ControlLog().size(), 3u);
    RemoveTree(fax);
}

// The lines of a report after its byte order mark, without their line ends.
std::vector<std::string> ReportLines(const std::string& path) {
    std::string text = ReadFile(path);
    std::vector<std::string> lines;
    if (text.rfind("\xEF\xBB\xBF", 0) != 0)
        return {"(no byte order mark)"};
    for (size_t at = 3, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// Two runs at once, as a scheduled run beside another: they take turns with the temporary file.
TEST_F(ShippedProgram, ConvertsWholeFoldersWithoutAWindowAndEndsWithItsExitCode) {
    const char* program = std::getenv("TARNVEL_PROGRAM");
    if (!program)
        GTEST_SKIP() << "runs in its own ctest entry, which names the shipped program in TARNVEL_PROGRAM";
    const std::string fax = Folder("Факсы 2019"); // on the command line whole, on NT
    ASSERT_TRUE(::CreateDirectoryW(Wide(fax + "\\Март").c_str(), nullptr));
    WriteFaxFixture(fax + "\\a.awd", 2, 1);
    WriteFaxFixture(fax + "\\Март\\b.awd", 1, 2);
    ASSERT_TRUE(WriteText(m_root + "\\broken.awd", "no fax"));
    ASSERT_TRUE(::MoveFileW(Wide(m_root + "\\broken.awd").c_str(), Wide(fax + "\\Март\\broken.awd").c_str()));
    const std::string flat = Folder("flat");
    WriteFaxFixture(flat + "\\c.awd", 3, 3);
    const std::string reports = Folder("reports"), mirror = m_root + "\\mirror";
    const PROCESS_INFORMATION runs[] = {
        StartCopy(program, "winxp",
                  L"/convert \"" + Wide(fax) + L"\" -SUBFOLDERS /out \"" + Wide(mirror) + L"\" /report \"" +
                      Wide(reports) + L"\\nested.txt\""),
        StartCopy(program, "winxp",
                  L"-Convert " + Wide(flat) + L" /out \"" + Wide(m_root) + L"\\out put\" /pdf /report " +
                      Wide(reports) + L"\\flat.txt"),
        StartCopy(program, "winxp",
                  L"/convert \"" + Wide(m_root) + L"\\none\" /report " + Wide(reports) + L"\\none.txt"),
        StartCopy(program, "winxp", L"/convert " + Wide(flat) + L" /outt " + Wide(m_root))};
    std::string shown;
    const bool ended = WaitFor(40000, [&] {
        for (const PROCESS_INFORMATION& run : runs) {
            ProgramWindow window{run.dwProcessId, nullptr};
            ::EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&window));
            if (window.found)
                shown = TextOf(window.found);
        }
        for (const PROCESS_INFORMATION& run : runs)
            if (::WaitForSingleObject(run.hProcess, 0) != WAIT_OBJECT_0)
                return false;
        return true;
    });
    EXPECT_TRUE(ended) << "a run did not end";
    EXPECT_EQ(shown, "") << "a window appeared";
    std::vector<DWORD> codes;
    for (const PROCESS_INFORMATION& run : runs) {
        DWORD code = 99;
        ::TerminateProcess(run.hProcess, 99); // only if it hung: the test has failed then already
        ::GetExitCodeProcess(run.hProcess, &code);
        ::CloseHandle(run.hProcess);
        codes.push_back(code);
    }
    EXPECT_EQ(codes, (std::vector<DWORD>{kExitFailed, kExitConverted, kExitUnusable, kExitUnusable}));

    EXPECT_EQ(ReadFaxPages(mirror + "\\a.tif"), ReadFaxPages(fax + "\\a.awd"));
    EXPECT_EQ(ReadFaxPages(mirror + "\\Март\\b.tif"), ReadFaxPages(fax + "\\Март\\b.awd"));
    EXPECT_EQ(ReadFile(m_root + "\\out put\\c.pdf").rfind("%PDF-1.3", 0), 0u);
    std::vector<std::string> nested = ReportLines(reports + "\\nested.txt");
    ASSERT_EQ(nested.size(), 4u);
    EXPECT_EQ(nested[0], kReportHeader);
    std::sort(nested.begin() + 1, nested.end());
    EXPECT_EQ(nested[1], "a.awd\tOK\t2\t" + mirror + "\\a.tif\t");
    EXPECT_EQ(nested[2], "Март\\b.awd\tOK\t1\t" + mirror + "\\Март\\b.tif\t");
    const std::string failed = "Март\\broken.awd\tFail\t0\t" + mirror + "\\Март\\broken.tif\t";
    EXPECT_EQ(nested[3].substr(0, failed.size()), failed);
    EXPECT_GT(nested[3].size(), failed.size()) << "no reason";
    EXPECT_EQ(ReportLines(reports + "\\flat.txt"),
              (std::vector<std::string>{kReportHeader, "c.awd\tOK\t3\t" + m_root + "\\out put\\c.pdf\t"}));
    EXPECT_EQ(ListFiles(reports), (std::vector<std::string>{"flat.txt", "nested.txt"}))
        << "a scratch file left, or a report of a run that converted nothing";

    // Run again with /skip, as a night's run cut short is finished: only the broken file again.
    const size_t rendered = StubLog().size();
    const PROCESS_INFORMATION again =
        StartCopy(program, "winxp",
                  L"/convert \"" + Wide(fax) + L"\" /subfolders /skip /out \"" + Wide(mirror) + L"\"");
    DWORD code = 99;
    EXPECT_EQ(::WaitForSingleObject(again.hProcess, 30000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(again.hProcess, &code);
    ::CloseHandle(again.hProcess);
    EXPECT_EQ(code, kExitFailed);
    EXPECT_EQ(StubLog().size(), rendered + 1) << "a converted file rendered again";
}
} // namespace
