// The link control once attached: its text and address, its underlined font, its tooltip, and
// its size fitted to the text for each alignment.
#include "link_label_test_support.h"
#include "rect_compare.h"
#include "ui_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
constexpr RECT kPlace{20, 30, 220, 70}; // 200 x 40, larger than any text below

struct Fitted {
    RECT rect;
    SIZE text;
};

// Attaches a link to a static of `style` at `place` and reports where it ended up and how large
// its text is in the link font.
Fitted AttachAndMeasure(HostWindow& host, TestLink& link, DWORD style, const RECT& place, const char* text) {
    link.SubclassWindow(host.AddStatic(text, style, place, 1011));
    const auto font = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
    return {RectInParent(link.m_hWnd), TextExtent(font, text)};
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}
} // namespace

// Fitted to its text, the link keeps the edges or the centre (within a pixel, as halving rounds)
// its alignment names, shrinking into its place or growing out of it.
TEST(LinkLabelGeometry, FittedToItsTextKeepingTheEdgesOrCentreOfItsAlignment) {
    const struct {
        DWORD style;
        RECT place;
        const char* text;
    } cases[] = {{SS_LEFT, kPlace, "Homepage"},
                 {SS_CENTER, kPlace, "Homepage"},
                 {SS_RIGHT, kPlace, "Homepage"},
                 {SS_CENTERIMAGE, kPlace, "Homepage"},
                 {SS_CENTER | SS_CENTERIMAGE, RECT{100, 30, 110, 34}, "a rather longer link text"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        HostWindow host;
        TestLink link;
        const Fitted fitted = AttachAndMeasure(host, link, c.style, c.place, c.text);
        const RECT& got = fitted.rect;
        EXPECT_NE(Width(got), Width(c.place));
        if ((c.style & SS_TYPEMASK) == SS_CENTER) {
            EXPECT_LE(std::abs((got.left + got.right) - (c.place.left + c.place.right)), 1);
            EXPECT_LE(std::abs(Width(got) - fitted.text.cx), 1);
        } else {
            EXPECT_EQ(c.style == SS_RIGHT ? got.right : got.left,
                      c.style == SS_RIGHT ? c.place.right : c.place.left);
            EXPECT_EQ(Width(got), fitted.text.cx);
        }
        if (c.style & SS_CENTERIMAGE) {
            EXPECT_LE(std::abs((got.top + got.bottom) - (c.place.top + c.place.bottom)), 1);
            EXPECT_LE(std::abs(Height(got) - fitted.text.cy), 1);
        } else {
            EXPECT_EQ(got.top, c.place.top);
            EXPECT_EQ(Height(got), fitted.text.cy);
        }
    }
}

TEST(LinkLabelGeometry, StaysAsPlacedWhenNotFitting) {
    HostWindow host;
    TestLink link;
    link.m_bFitToText = FALSE;
    const Fitted fitted = AttachAndMeasure(host, link, SS_LEFT, kPlace, "Homepage");
    EXPECT_EQ(fitted.rect, kPlace);
}

TEST(LinkLabelAttach, TextStaysWhileTheAddressChangesAndTheTooltipShowsTheAddress) {
    HostWindow host;
    TestLink link;
    link.SubclassWindow(host.AddStatic("Homepage", SS_LEFT, kPlace, 1011));
    EXPECT_EQ(link.m_strAddress, "Homepage"); // until an address is given, the text is the address
    EXPECT_EQ(TipText(link.m_hWnd), "Homepage");
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);

    link.SetLinkAddress("http://example.invalid/page");
    EXPECT_EQ(TextOf(link.m_hWnd), "Homepage");
    EXPECT_EQ(link.m_strAddress, "http://example.invalid/page");
    EXPECT_EQ(TipText(link.m_hWnd), "http://example.invalid/page");
}

TEST(LinkLabelAttach, EmptyStaticShowsTheAddressGivenBeforehand) {
    HostWindow host;
    TestLink link;
    link.SetLinkAddress("C:\\docs\\index.htm");
    link.SubclassWindow(host.AddStatic("", SS_LEFT, kPlace, 1011));
    EXPECT_EQ(TextOf(link.m_hWnd), "C:\\docs\\index.htm");
    EXPECT_EQ(TipText(link.m_hWnd), "C:\\docs\\index.htm");
    const SIZE text = TextExtent(link.m_fontLink, "C:\\docs\\index.htm");
    EXPECT_EQ(Width(RectInParent(link.m_hWnd)), text.cx);
}

// The link's font is the static's own underlined, or the system font underlined when the static has none.
TEST(LinkLabelAttach, FontIsTheStaticsOwnOrTheSystemFontUnderlined) {
    for (const bool ownFont : {true, false}) {
        SCOPED_TRACE(ownFont ? "own font" : "system font");
        HostWindow host;
        TestLink link;
        link.SubclassWindow(host.AddStatic("Homepage", SS_LEFT, kPlace, 1011, ownFont));
        const auto font = reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT));
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font, link.m_fontLink.GetSafeHandle());
        LOGFONTA linkFont{}, staticFont{};
        ASSERT_TRUE(::GetObjectA(font, sizeof(linkFont), &linkFont));
        ASSERT_TRUE(::GetObjectA(ownFont ? host.font() : ::GetStockObject(SYSTEM_FONT), sizeof(staticFont),
                                 &staticFont));
        EXPECT_EQ(linkFont.lfUnderline, 1);
        EXPECT_STREQ(linkFont.lfFaceName, staticFont.lfFaceName);
        if (ownFont) {
            EXPECT_EQ(linkFont.lfHeight, staticFont.lfHeight);
        }
    }
}

TEST(LinkLabelAttach, TooltipCoversTheFittedControl) {
    HostWindow host;
    TestLink link;
    link.SubclassWindow(host.AddStatic("Homepage", SS_RIGHT, kPlace, 1011));
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = link.m_hWnd;
    ti.uId = 1;
    ASSERT_TRUE(::SendMessageA(link.m_tip.m_hWnd, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    RECT client;
    link.GetClientRect(&client);
    EXPECT_EQ(ti.rect, client);
}
