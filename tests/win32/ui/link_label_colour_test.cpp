// The link's colours as its parent asks for them, hover tracking with the mouse capture, and the
// hand cursor.
#include "link_label_test_support.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

namespace {
void MoveMouse(CLinkLabel& link, int x, int y) {
    link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

class LinkLabelColourTest : public ::testing::Test {
protected:
    void SetUp() override {
        link.SubclassWindow(host.AddStatic("Homepage", SS_LEFT, RECT{20, 30, 220, 70}, 1011));
    }
    void TearDown() override { ::ReleaseCapture(); }
    HostWindow host;
    TestLink link;
};
} // namespace

// The link's colours over a transparent background; the parent's other statics keep the system's.
TEST_F(LinkLabelColourTest, NormalHoverAndVisitedColoursOverATransparentBackground) {
    LinkColours colours = AskColours(link.m_hWnd);
    EXPECT_EQ(colours.text, kUnvisitedLinkColour);
    EXPECT_EQ(colours.backgroundMode, TRANSPARENT);
    EXPECT_EQ(colours.brush, ::GetStockObject(NULL_BRUSH));

    link.MarkVisited(TRUE);
    EXPECT_EQ(AskColours(link.m_hWnd).text, RGB(240, 26, 139));

    MoveMouse(link, 2, 2);
    ASSERT_TRUE(link.m_bHover);
    EXPECT_EQ(AskColours(link.m_hWnd).text, ::GetSysColor(COLOR_HIGHLIGHT)); // hover wins over visited

    link.MarkVisited(FALSE);
    EXPECT_EQ(AskColours(link.m_hWnd).text, ::GetSysColor(COLOR_HIGHLIGHT));

    MoveMouse(link, -5, -5);
    EXPECT_EQ(AskColours(link.m_hWnd).text, kUnvisitedLinkColour);
    EXPECT_NE(AskColours(host.AddStatic("plain", SS_LEFT, RECT{20, 100, 120, 120}, 1012)).text,
              kUnvisitedLinkColour);
}

// Hover holds the capture until the mouse leaves, or until the capture is taken away.
TEST_F(LinkLabelColourTest, HoverHoldsTheCaptureUntilTheMouseLeavesOrTheCaptureIsTaken) {
    EXPECT_FALSE(link.m_bHover);
    for (int x : {2, 3}) {
        MoveMouse(link, x, x);
        EXPECT_TRUE(link.m_bHover);
        EXPECT_EQ(::GetCapture(), link.m_hWnd);
    }
    RECT client;
    link.GetClientRect(&client);
    MoveMouse(link, client.right + 4, 3);
    EXPECT_FALSE(link.m_bHover);
    EXPECT_EQ(::GetCapture(), nullptr);

    MoveMouse(link, 2, 2);
    ASSERT_EQ(::GetCapture(), link.m_hWnd);
    ::SetCapture(host.hwnd()); // as a message box or another program coming to the front does
    EXPECT_FALSE(link.m_bHover);
    EXPECT_EQ(AskColours(link.m_hWnd).text, kUnvisitedLinkColour);
    ::ReleaseCapture();
    MoveMouse(link, 2, 2); // the next visit lights it again
    EXPECT_TRUE(link.m_bHover);
    EXPECT_EQ(::GetCapture(), link.m_hWnd);
}

// The hand cursor comes from the help program when it has one, and the link sets its cursor only
// when it has one.
TEST_F(LinkLabelColourTest, HandCursorFromTheHelpProgramAndSetOnlyWhenThere) {
    char path[MAX_PATH] = "";
    ::GetWindowsDirectoryA(path, MAX_PATH);
    ::PathAppendA(path, "winhlp32.exe");
    HMODULE help = ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const bool hasHand = help && ::FindResourceA(help, MAKEINTRESOURCEA(106), RT_GROUP_CURSOR);
    if (help)
        ::FreeLibrary(help);
    EXPECT_EQ(static_cast<bool>(link.m_hHandCursor), hasHand);

    const auto setCursor = [&] {
        return link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd),
                                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    link.m_hHandCursor.Reset();
    EXPECT_EQ(setCursor(), FALSE);
    link.m_hHandCursor.Reset(::CopyIcon(::LoadCursorA(nullptr, IDC_CROSS)));
    ASSERT_TRUE(link.m_hHandCursor);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(setCursor(), TRUE);
    EXPECT_EQ(::GetCursor(), link.m_hHandCursor.Get());
}
