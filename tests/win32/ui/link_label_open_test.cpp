// Opening the link's address: the shell first, else the command registered for web pages (a test
// class in this prefix's registry stands in for the browser), and the message box that explains
// a failure. Every address here is a file on this machine; nothing reaches a real browser.
#include "framework/win_app.h"
#include "link_label_test_support.h"
#include "support/scratch_drive.h"
#include "support/text_file.h"
#include "ui_test_support.h"
#include "win32/convert/conversion_fixture.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>

namespace {
class LinkLabelOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        link.SubclassWindow(host.AddStatic("Homepage", SS_LEFT, RECT{20, 30, 220, 70}, 1011));
        link.recordCommands = true;
        missing = MissingPage();
    }

    // The shell's own answer for `address`, which the fallback must hand on when it cannot run.
    static int ShellCode(const std::string& address) {
        return static_cast<int>(reinterpret_cast<UINT_PTR>(
            ::ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOW)));
    }

    // A click on the link, as the static reports it to its parent.
    void Click() {
        ::SendMessageA(host.hwnd(), WM_COMMAND, MAKEWPARAM(1011, STN_CLICKED),
                       reinterpret_cast<LPARAM>(link.m_hWnd));
    }

    HostWindow host;
    TestLink link;
    std::string missing;
};

const char kPrefix[] = "Unable to open hyperlink:\n\n";
} // namespace

TEST_F(LinkLabelOpenTest, FallbackCommandIsCutBeforeThePlaceholderOrGetsTheAddressAppended) {
    ASSERT_LE(ShellCode(missing), 32);
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\Web\\browser.exe\" -nohome \"%1\" -new-window",
         "\"C:\\Program Files\\Web\\browser.exe\" -nohome  "},
        {"C:\\web\\browser.exe %1 -x", "C:\\web\\browser.exe  "},
        {"C:\\web\\browser.exe -x", "C:\\web\\browser.exe -x "}};
    for (const auto& c : cases) {
        ScopedHtmClass htm(c.first);
        link.commands.clear();
        EXPECT_EQ(link.OpenAddress(missing.c_str(), SW_SHOW), 33);
        ASSERT_EQ(link.commands.size(), 1u);
        EXPECT_EQ(link.commands[0], c.second + missing);
    }
}

TEST_F(LinkLabelOpenTest, NoFallbackWithoutARegisteredCommandOrWithOneTooLongToRead) {
    const std::string tooLong = "C:\\web\\browser.exe " + std::string(300, 'o');
    for (const char* command : {static_cast<const char*>(nullptr), tooLong.c_str()}) {
        ScopedHtmClass htm(command);
        EXPECT_EQ(link.OpenAddress(missing.c_str(), SW_SHOW), ShellCode(missing));
        EXPECT_TRUE(link.commands.empty());
    }
}

TEST_F(LinkLabelOpenTest, CommandLineThatWouldNotFitIsRefused) {
    // The longest command the registry read takes (259 characters) with an address that just fits
    // in the 520-byte command line, and one character more.
    const std::string command = "C:\\web\\browser.exe " + std::string(259 - 19, 'o');
    ScopedHtmClass htm(command.c_str());
    const std::string fits = missing + std::string(520 - 1 - 259 - 1 - missing.size(), 'p');
    link.OpenAddress(fits.c_str(), SW_SHOW);
    ASSERT_EQ(link.commands.size(), 1u);
    EXPECT_EQ(link.commands[0], command + " " + fits);

    const std::string tooLong = fits + "p";
    EXPECT_EQ(link.OpenAddress(tooLong.c_str(), SW_SHOW), ShellCode(tooLong));
    EXPECT_EQ(link.commands.size(), 1u);
}

// A page the shell opens needs no fallback; a real fallback command starts.
TEST_F(LinkLabelOpenTest, ShellSuccessNeedsNoFallbackAndARealFallbackCommandStarts) {
    char system[MAX_PATH] = "";
    ::GetSystemDirectoryA(system, MAX_PATH);
    ScopedHtmClass htm((std::string(system) + "\\cmd.exe /c exit").c_str());
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string page = std::string(temp) + "tarnvel-link-page.htm";
    ASSERT_TRUE(WriteText(page, "<html></html>\n"));
    EXPECT_GT(link.OpenAddress(page.c_str(), SW_HIDE), 32);
    EXPECT_TRUE(link.commands.empty());
    ::DeleteFileA(page.c_str());

    link.recordCommands = false;
    EXPECT_GT(link.OpenAddress(missing.c_str(), SW_HIDE), 32);
}

// An unquoted path with a blank, where the system's search would start "tarnvel.exe" beside the
// folder (a dot in the path would keep it from adding ".exe"); the stand-in program logs its line.
using LinkLabelProgram = ConversionTest;
TEST_F(LinkLabelProgram, AnUnquotedPathWithABlankStartsItsProgramAndNoOther) {
    const ScratchDrive drive(Folder("drive"));
    const std::string folder = drive.Root() + ScratchDrive::Own("-web"),
                      browser = folder + "\\tarnvel web\\browser.exe";
    const ScopedUndo remove([&] { RemoveTree(folder); });
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr) &&
                ::CreateDirectoryA((folder + "\\tarnvel web").c_str(), nullptr));
    CopyFixture(ProgramFolder() + "\\doubles\\AWDVSTUB.EXE", folder + "\\tarnvel.exe");
    CopyFixture(ProgramFolder() + "\\doubles\\AWDVSTUB.EXE", browser);
    ScopedHtmClass htm((browser + " -new").c_str());
    TestLink link;
    EXPECT_GT(link.OpenAddress(MissingPage().c_str(), SW_HIDE), 32);
    EXPECT_TRUE(Serve(10000, [] { return !StubLog().empty(); }));
    EXPECT_EQ(StubLog(), std::vector<std::string>{"\"" + browser + "\" -new " + MissingPage()});
}

TEST_F(LinkLabelOpenTest, ClickResult33IsSuccessAnd32IsFailure) {
    ScopedHtmClass htm("C:\\web\\browser.exe \"%1\"");
    link.SetLinkAddress(missing.c_str());
    {
        MessageBoxCloser closer;
        link.commandResult = 33;
        Click();
        EXPECT_TRUE(link.m_bVisited);
        EXPECT_TRUE(closer.boxes().empty());
    }
    MessageBoxCloser closer;
    link.commandResult = 32;
    Click();
    EXPECT_FALSE(link.m_bVisited);
    ASSERT_EQ(closer.boxes().size(), 1u);
    EXPECT_EQ(closer.boxes()[0].text,
              std::string(kPrefix) + "The specified dynamic-link library was not found.");
    EXPECT_EQ(link.commands.size(), 2u);
}

TEST_F(LinkLabelOpenTest, ClickOnAMissingProgramReportsTheFileNotFound) {
    ScopedHtmClass htm("C:\\tarnvel-no-such-browser\\browser.exe \"%1\"");
    link.recordCommands = false;
    link.SetLinkAddress(missing.c_str());
    MessageBoxCloser closer;
    Click();
    EXPECT_FALSE(link.m_bVisited);
    ASSERT_EQ(closer.boxes().size(), 1u);
    EXPECT_EQ(closer.boxes()[0].caption, AfxGetAppName());
    EXPECT_EQ(closer.boxes()[0].text, std::string(kPrefix) + "The specified file was not found.");
}

TEST_F(LinkLabelOpenTest, ErrorBoxTextsForKnownAndUnknownCodes) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {ERROR_BAD_FORMAT, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {SE_ERR_SHARE, "A sharing violation occurred. "},
        {SE_ERR_DDEBUSY,
         "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
         "processed."},
        {7, "Unknown Error (7) occurred."},
        {-5, "Unknown Error (-5) occurred."},
    };
    MessageBoxCloser closer;
    for (const auto& c : cases)
        link.ShowOpenError(c.code);
    ASSERT_EQ(closer.boxes().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(closer.boxes()[i].caption, AfxGetAppName());
        EXPECT_EQ(closer.boxes()[i].text, std::string(kPrefix) + cases[i].text) << "code " << cases[i].code;
    }
}
